#include "obt/text_writer.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "obt/io_error.h"

namespace obt {

TextWriter::TextWriter(PendingIoError& pending) : pending_(pending) {}

void TextWriter::OpenForWriting(const std::string& path) {
  Abandon();
  write_failed_ = false;
  if (const int error = target_.Open(path); error != 0) {
    pending_.Set(IoCodeFromErrno(error));
    return;
  }
  if (!buffer_) {
    buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
    spare_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  }
}

void TextWriter::WriteText(std::string_view bytes) {
  while (!bytes.empty()) {
    Reserve(1);
    const std::size_t take = std::min(bytes.size(), kBufferSize - used_);
    std::memcpy(buffer_.get() + used_, bytes.data(), take);
    used_ += take;
    bytes.remove_prefix(take);
  }
}

void TextWriter::RecordWriteError(int error) {
  if (error == 0) return;
  write_failed_ = true;
  pending_.Set(IoCodeFromErrno(error));
}

void TextWriter::Flush() {
  const std::size_t size = used_;
  used_ = 0;
  if (!target_.IsOpen()) {
    pending_.Set(kIoFileNotOpen);
    return;
  }
  RecordWriteError(background_.Submit(target_.fd(), buffer_.get(), size));
  std::swap(buffer_, spare_);
}

void TextWriter::CloseTextFile() {
  if (!target_.IsOpen()) {
    pending_.Set(kIoFileNotOpen);
    return;
  }
  RecordWriteError(background_.Finish());
  RecordWriteError(WriteFully(target_.fd(), buffer_.get(), used_));
  used_ = 0;
  if (write_failed_) {
    target_.Abandon();
    return;
  }
  if (const int error = target_.Commit(); error != 0) {
    pending_.Set(IoCodeFromErrno(error));
  }
}

void TextWriter::Abandon() {
  background_.Finish();
  used_ = 0;
  target_.Abandon();
}

}  // namespace obt
