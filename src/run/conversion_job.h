#ifndef OBTMIRROR_RUN_CONVERSION_JOB_H_
#define OBTMIRROR_RUN_CONVERSION_JOB_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "mirror/kept_entries.h"
#include "mirror/mirror_state.h"
#include "mirror/result_stage.h"
#include "obt/obt_header.h"
#include "obt/pending_io_error.h"
#include "obt/text_reader.h"
#include "obt/text_writer.h"
#include "run/point_fields.h"
#include "work/background.h"
#include "work/feedback.h"
#include "work/run_inputs.h"
#include "work/work_tables.h"

namespace run {

// How a run ended, when it did not raise an obt::IoError.
enum class RunResult {
  kSucceeded,
  kFileNameError,
  kNotObt,
  kObjectTooLarge,
  kInvalidCentre,
  // The result stage met a triangle that names a point the object does not
  // have.
  kInvalidPointNumber,
};

// The status line a run ends with.
std::string_view StatusText(RunResult result);

// What lies behind a run that ended with kFileNameError, which the status
// line does not tell apart.
struct FileNameFailure {
  enum class Cause {
    kNone,
    kNoSource,
    kNoTarget,
    // `path` is the target, which names the source file.
    kSameFile,
    // `path` could not be opened or created; `error` is the errno.
    kSourceNotOpened,
    kTargetNotCreated,
  };

  Cause cause = Cause::kNone;
  std::string path;
  int error = 0;

  bool operator==(const FileNameFailure&) const = default;
};

// One conversion run at a time: checks the source, creates the target,
// reads the points, has them mirrored, writes them, then the same for the
// triangles, and reports on the feedback. The job object lives as long as
// the program and keeps its tables from run to run.
class ConversionJob {
 public:
  explicit ConversionJob(obt::PendingIoError& pending);

  void set_target_name(std::string name) { target_name_ = std::move(name); }
  const std::string& target_name() const { return target_name_; }

  // A stage that reworks the result before it is written (the command
  // line's weld); none by default, and the window never sets one. The job
  // does not own it.
  void set_result_stage(mirror::ResultStage* stage) { result_stage_ = stage; }

  // Runs to the end and writes the outcome to the status line. An I/O error
  // in the middle of work raises obt::IoError; both files are closed and the
  // target is as it was before the run, as after every run that fails.
  RunResult RunConversionJob(const work::RunInputs& inputs,
                             work::Feedback& feedback);

  // Why the last run ended with kFileNameError; kNone after any other end.
  const FileNameFailure& file_name_failure() const {
    return file_name_failure_;
  }
  const mirror::MirrorState& mirror_state() const { return mirror_; }

 private:
  // What a list of the output comes to: the number on its count line, and
  // its lines: `copies` copies, one after the other, of the first `rows`
  // entries of the table, copy 0 being those entries themselves; or, after
  // a stage, only the copies' entries it keeps.
  struct OutputList {
    int32_t count_line = 0;
    std::size_t copies = 1;
    std::size_t rows = 0;
    const mirror::KeptEntries* kept = nullptr;

    std::size_t entries() const {
      return kept != nullptr ? kept->count() : copies * rows;
    }
  };

  void OpenJobFiles(const work::RunInputs& inputs);
  // Reads the points, and starts making their lines' fields when they are
  // used and no stage follows.
  bool ReadPoints(PointFields& fields, work::Feedback& feedback);
  void WritePoints(const OutputList& list, PointFields& fields,
                   work::Feedback& feedback);
  // Whether the points' lines are put together from fields made once.
  bool UsesPointFields() const;
  // The mirror centre as the words the output adds to the points.
  std::array<uint32_t, 3> CentreWords() const;
  void ReadTriangleCount();
  // False when the run must refuse the triangles: too many, or no room.
  bool SizeForTriangles(std::size_t first);
  void ReadTriangleLines();
  // The points stay in the first entries while they are written, and a
  // helper thread may read the triangles into the entries after them
  // meanwhile, keeping its errors apart.
  void StartReadingTriangles();
  // Waits for the helper, if any, and hands on the errors it left.
  void StopReadingTriangles();
  // Reads what the helper did not; false when the run must refuse the
  // triangles.
  bool FinishReadingTriangles();
  void WriteTriangles(const OutputList& list, work::Feedback& feedback);
  // The source's list and its mirrored copies, for a run without a stage.
  OutputList Replicated(int32_t count) const;
  // What a stage keeps of them: no more than the tables would hold, so its
  // count fits.
  static OutputList Staged(const OutputList& replicated,
                           const mirror::KeptEntries& kept);
  void WriteLineEnd();
  // Closes what a run that stops early leaves open, and drops its output.
  void CloseFilesQuietly();

  obt::PendingIoError& pending_;
  obt::TextReader source_;
  obt::TextWriter target_;
  work::WorkTables tables_;
  mirror::MirrorState mirror_;
  mirror::ResultStage* result_stage_ = nullptr;

  std::string source_name_;
  std::string target_name_;
  int32_t source_status_ = 0;
  int32_t target_status_ = 0;
  FileNameFailure file_name_failure_;
  obt::ObtHeader header_;
  int32_t point_count_ = 0;
  int32_t triangle_count_ = 0;

  // How far the helper got with the triangles.
  enum class Ahead { kNothing, kRefused, kCount, kTriangles };
  Ahead ahead_ = Ahead::kNothing;
  obt::PendingIoError triangle_pending_;
  work::Background triangle_reader_;
};

}  // namespace run

#endif  // OBTMIRROR_RUN_CONVERSION_JOB_H_
