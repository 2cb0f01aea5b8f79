// The files of a run: opening the source, reading its header and creating
// the target; ending a line of the target; and closing what a run that
// stops early leaves open.

#include "obt/file_identity.h"
#include "obt/obt_header.h"
#include "run/conversion_job.h"

namespace run {

void ConversionJob::OpenJobFiles(const work::RunInputs& inputs) {
  pending_.TakeIoError();
  using Cause = FileNameFailure::Cause;
  source_name_ = inputs.source_name;
  if (source_name_.empty()) {
    source_status_ = 1;
    file_name_failure_ = {Cause::kNoSource, {}, 0};
    return;
  }
  // Another spelling of the same file, or a link to it, counts as equal:
  // the run must never read from the file it writes.
  if (source_name_ == target_name_ ||
      obt::NameSameFile(source_name_, target_name_)) {
    source_status_ = 1;
    file_name_failure_ = {Cause::kSameFile, target_name_, 0};
    return;
  }
  const int open_error = source_.OpenForReading(source_name_);
  if (pending_.TakeIoError() != 0) {
    source_status_ = 1;
    file_name_failure_ = {Cause::kSourceNotOpened, source_name_, open_error};
    return;
  }
  if (!obt::ReadObtHeader(source_, header_)) {
    source_status_ = 3;
    source_.CloseTextFile();
    return;
  }
  const int create_error = target_.OpenForWriting(target_name_);
  if (pending_.TakeIoError() != 0) {
    target_status_ = 1;
    file_name_failure_ = target_name_.empty()
                             ? FileNameFailure{Cause::kNoTarget, {}, 0}
                             : FileNameFailure{Cause::kTargetNotCreated,
                                               target_name_, create_error};
    source_.CloseTextFile();
  }
}

void ConversionJob::WriteLineEnd() {
  target_.EndLine();
  pending_.CheckIo();
}

void ConversionJob::CloseFilesQuietly() {
  if (source_.IsOpen()) {
    const int pending = pending_.Peek();
    source_.CloseTextFile();
    pending_.Set(pending);
  }
  target_.Abandon();
}

}  // namespace run
