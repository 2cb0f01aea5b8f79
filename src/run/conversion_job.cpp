#include "run/conversion_job.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <new>
#include <optional>

#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "mirror/replication.h"
#include "obt/decimal_format.h"
#include "obt/file_identity.h"
#include "obt/obt_format.h"
#include "obt/obt_header.h"
#include "obt/triangle_lines.h"
#include "run/status_texts.h"
#include "work/scope_exit.h"
#include "work/wrap_arithmetic.h"

namespace run {
namespace {

// The count line of the output: (copies + 1) · count, wrapping at 32 bits.
int32_t OutputCount(int32_t copy_count, int32_t count) {
  return work::WrapMultiply(copy_count + 1, count);
}

// Whether the source object and all its copies fit the tables.
bool FitsTables(int32_t copy_count, int32_t count) {
  return int64_t{copy_count + 1} * count <= work::kTableCapacity;
}

std::size_t EntriesFor(int32_t copy_count, int32_t count) {
  return static_cast<std::size_t>(copy_count + 1) *
         static_cast<std::size_t>(std::max(count, 0));
}

// From this many copies of the points on, their lines are put together
// from fields made once.
constexpr int32_t kCopiesForPointFields = 4;
// How many points the reading stores before it tells the fields' helper.
constexpr std::size_t kRowsStoredAtOnce = 1 << 14;

// Writes lines [first, end) of a list that holds its copies one after the
// other, `rows` lines each, or only those a stage keeps of them:
// `stretch(copy, row, end_row, out)` writes the lines of one copy's rows
// [row, end_row) and returns the end of what it wrote.
template <typename Stretch>
char* WriteCopyLines(std::size_t rows, const mirror::KeptEntries* kept,
                     std::size_t first, std::size_t end, char* out,
                     const Stretch& stretch) {
  if (kept != nullptr) {
    kept->ForEachRun(
        first, end,
        [&](std::size_t copy, std::size_t row, std::size_t end_row) {
          out = stretch(copy, row, end_row, out);
        });
    return out;
  }
  while (first < end) {
    const std::size_t copy = first / rows;
    const std::size_t row = first % rows;
    const std::size_t end_row = std::min(rows, row + (end - first));
    out = stretch(copy, row, end_row, out);
    first += end_row - row;
  }
  return out;
}

}  // namespace

std::string_view StatusText(RunResult result) {
  switch (result) {
    case RunResult::kSucceeded:
      return kStatusSucceeded;
    case RunResult::kFileNameError:
      return kStatusFileNameError;
    case RunResult::kNotObt:
      return kStatusNotObt;
    case RunResult::kObjectTooLarge:
      return kStatusObjectTooLarge;
    case RunResult::kInvalidCentre:
      return kStatusInvalidCentre;
    case RunResult::kInvalidPointNumber:
      return kStatusInvalidPointNumber;
  }
  return kStatusFileNameError;
}

ConversionJob::ConversionJob(obt::PendingIoError& pending)
    : pending_(pending), source_(pending), target_(pending) {}

RunResult ConversionJob::RunConversionJob(const work::RunInputs& inputs,
                                          work::Feedback& feedback) {
  source_status_ = 0;
  target_status_ = 0;
  file_name_failure_ = {};
  OpenJobFiles(inputs);
  if (source_status_ != 0 || target_status_ != 0) {
    const RunResult result =
        source_status_ == 3 ? RunResult::kNotObt : RunResult::kFileNameError;
    feedback.SetStatusText(StatusText(result));
    return result;
  }
  // From here both files are open; whatever ends the run early closes them
  // and leaves the target as it was.
  const work::ScopeExit close_files([this] { CloseFilesQuietly(); });

  const auto refuse = [&feedback](RunResult result) {
    feedback.SetStatusText(StatusText(result));
    return result;
  };

  if (!mirror::ReadMirrorCentre(inputs.centre_x_text, inputs.centre_y_text,
                                inputs.centre_z_text, mirror_.centre)) {
    return refuse(RunResult::kInvalidCentre);
  }
  mirror::ReadSourceOctant(inputs.source_octant_checked, mirror_.source_octant);
  mirror_.target_mask = mirror::ReadTargetMask(inputs.target_octant_checked);
  mirror_.plan =
      mirror::BuildCopyPlan(mirror_.source_octant, mirror_.target_mask);

  // The copies are made as they are written, and only the source's entries
  // take memory.
  PointFields fields;
  if (!ReadPoints(fields, feedback)) {
    return refuse(RunResult::kObjectTooLarge);
  }
  if (point_count_ > 0) feedback.SetGaugeProgress(67);
  // The triangles may be read on a helper thread while the points are
  // staged and written; their gauge steps and the errors they leave come
  // where they would without it, after the points.
  // A run that ends early has its answer already: what the helper threw
  // then is dropped.
  const work::ScopeExit stop_reading([this] {
    try {
      StopReadingTriangles();
    } catch (...) {
    }
  });
  StartReadingTriangles();
  OutputList points = Replicated(point_count_);
  if (result_stage_ != nullptr) {
    // A stage that finds no memory for its own tables refuses the run as
    // the tables themselves would.
    try {
      points =
          Staged(points, result_stage_->AfterPoints(mirror_.plan, point_count_,
                                                    tables_.points()));
    } catch (const std::bad_alloc&) {
      return refuse(RunResult::kObjectTooLarge);
    }
  }
  WritePoints(points, fields, feedback);

  feedback.SetGaugeMaximum(100);
  feedback.SetGaugeProgress(0);
  if (!FinishReadingTriangles()) {
    return refuse(RunResult::kObjectTooLarge);
  }
  feedback.SetGaugeProgress(33);
  if (triangle_count_ > 0) feedback.SetGaugeProgress(67);
  OutputList triangles = Replicated(triangle_count_);
  if (result_stage_ != nullptr) {
    const mirror::KeptEntries* kept = nullptr;
    try {
      kept = result_stage_->AfterTriangles(
          mirror_.plan, point_count_, triangle_count_, tables_.triangles());
    } catch (const std::bad_alloc&) {
      return refuse(RunResult::kObjectTooLarge);
    }
    if (kept == nullptr) return refuse(RunResult::kInvalidPointNumber);
    triangles = Staged(triangles, *kept);
  }
  WriteTriangles(triangles, feedback);

  source_.CloseTextFile();
  pending_.CheckIo();
  target_.CloseTextFile();
  pending_.CheckIo();
  feedback.SetStatusText(kStatusSucceeded);
  feedback.SetGaugeProgress(0);
  return RunResult::kSucceeded;
}

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

bool ConversionJob::UsesPointFields() const {
  return mirror_.plan.copy_count + 1 >= kCopiesForPointFields;
}

std::array<uint32_t, 3> ConversionJob::CentreWords() const {
  return {static_cast<uint32_t>(mirror_.centre.x),
          static_cast<uint32_t>(mirror_.centre.y),
          static_cast<uint32_t>(mirror_.centre.z)};
}

bool ConversionJob::ReadPoints(PointFields& fields, work::Feedback& feedback) {
  point_count_ = source_.ReadNumber();
  source_.SkipToNextLine();
  // Refused before a single table entry is allocated or a point is read;
  // so is an object for which the system has no address space.
  if (!FitsTables(mirror_.plan.copy_count, point_count_) ||
      !tables_.SizeForPoints(EntriesFor(mirror_.plan.copy_count, point_count_),
                             EntriesFor(0, point_count_))) {
    return false;
  }

  feedback.SetGaugeMaximum(100);
  feedback.SetGaugeProgress(0);
  work::TableEntry* points = tables_.points();
  const mirror::MirrorCentre& centre = mirror_.centre;
  // The fields of the point lines are made on a helper as the points come;
  // a stage's tables would take their room at the same time, so with a
  // stage they are made after it.
  const std::size_t rows = EntriesFor(0, point_count_);
  const bool making_fields = result_stage_ == nullptr && UsesPointFields() &&
                             fields.Start(points, rows, CentreWords());
  std::array<int32_t, 3> xyz{};
  for (std::size_t i = 0; i < rows; ++i) {
    source_.ReadNumberLine(xyz);
    // Held relative to the centre, wrapping at 32 bits, so that an
    // unmirrored point is written back with the very numbers read.
    points[i] = {work::WrapSubtract(xyz[0], centre.x),
                 work::WrapSubtract(xyz[1], centre.y),
                 work::WrapSubtract(xyz[2], centre.z)};
    if (making_fields && (i + 1) % kRowsStoredAtOnce == 0) fields.Stored(i + 1);
  }
  if (making_fields) fields.Stored(rows);
  feedback.SetGaugeProgress(33);
  return true;
}

void ConversionJob::WriteLineEnd() {
  target_.EndLine();
  pending_.CheckIo();
}

ConversionJob::OutputList ConversionJob::Replicated(int32_t count) const {
  return {OutputCount(mirror_.plan.copy_count, count),
          static_cast<std::size_t>(mirror_.plan.copy_count + 1),
          EntriesFor(0, count)};
}

ConversionJob::OutputList ConversionJob::Staged(
    const OutputList& replicated, const mirror::KeptEntries& kept) {
  OutputList staged = replicated;
  staged.count_line = static_cast<int32_t>(kept.count());
  staged.kept = &kept;
  return staged;
}

void ConversionJob::WritePoints(const OutputList& list, PointFields& fields,
                                work::Feedback& feedback) {
  target_.WriteText(header_.magic_text);
  WriteLineEnd();
  target_.WriteText(header_.version_text);
  WriteLineEnd();
  target_.WriteNumber(list.count_line);
  WriteLineEnd();

  // Lines only for the entries the tables hold: a negative count can wrap
  // the count line to a positive number, and that must not be read past.
  const work::TableEntry* points = tables_.points();
  const mirror::CopyPlan& plan = mirror_.plan;
  const std::array<uint32_t, 3> centre = CentreWords();
  const auto write_lines = [this, &list](std::size_t max_line_length,
                                         const auto& stretch) {
    target_.WriteLines(
        list.entries(), max_line_length,
        [&stretch, &list](std::size_t first, std::size_t end, char* out) {
          return WriteCopyLines(list.rows, list.kept, first, end, out, stretch);
        });
  };
  const bool with_fields =
      result_stage_ == nullptr
          ? fields.Finish()
          : UsesPointFields() && fields.Make(points, list.rows, centre);
  if (with_fields) {
    std::array<unsigned, mirror::kMaxCopies + 1> reflected{};
    for (std::size_t copy = 1; copy < list.copies; ++copy) {
      for (unsigned axis = 0; axis < 3; ++axis) {
        if (plan.axis_sign[copy - 1][axis] < 0) reflected[copy] |= 1u << axis;
      }
    }
    write_lines(obt::kMaxNumberLineLength<3> + PointFields::kSlack,
                [&fields, &reflected](std::size_t copy, std::size_t row,
                                      std::size_t end_row, char* out) {
                  for (; row < end_row; ++row) {
                    out = fields.WriteLine(out, row, reflected[copy]);
                  }
                  return out;
                });
  } else {
    write_lines(obt::kMaxNumberLineLength<3>,
                [points, &plan, centre](std::size_t copy, std::size_t row,
                                        std::size_t end_row, char* out) {
                  for (; row < end_row; ++row) {
                    const work::TableEntry point =
                        mirror::MirroredPoint(plan, copy, points[row]);
                    out = obt::WriteNumberLine(
                        out, work::WrapAdd(point[0], centre[0]),
                        work::WrapAdd(point[1], centre[1]),
                        work::WrapAdd(point[2], centre[2]));
                  }
                  return out;
                });
  }
  // The triangles' stage may want the room.
  fields.Release();
  pending_.CheckIo();
  feedback.SetGaugeProgress(100);
}

void ConversionJob::ReadTriangleCount() {
  triangle_count_ = source_.ReadNumber();
  source_.SkipToNextLine();
}

bool ConversionJob::SizeForTriangles(std::size_t first) {
  return FitsTables(mirror_.plan.copy_count, triangle_count_) &&
         tables_.SizeForTriangles(
             EntriesFor(mirror_.plan.copy_count, triangle_count_),
             EntriesFor(0, triangle_count_), first);
}

void ConversionJob::StartReadingTriangles() {
  ahead_ = Ahead::kNothing;
  // Only from a regular file: a pipe could keep the helper waiting long
  // after the points failed to be written.
  if (!source_.ReadsRegularFile()) return;
  const std::size_t first = EntriesFor(0, point_count_);
  source_.set_pending(triangle_pending_);
  const bool started = triangle_reader_.Start([this, first] {
    ReadTriangleCount();
    if (!FitsTables(mirror_.plan.copy_count, triangle_count_)) {
      ahead_ = Ahead::kRefused;
      return;
    }
    // Sizing for more than the storage holds would move the points
    // that are being written: that waits for them.
    const std::size_t source_entries = EntriesFor(0, triangle_count_);
    if (!tables_.Holds(
            std::max(EntriesFor(mirror_.plan.copy_count, triangle_count_),
                     first + source_entries))) {
      ahead_ = Ahead::kCount;
      return;
    }
    if (!SizeForTriangles(first)) {
      ahead_ = Ahead::kRefused;
      return;
    }
    ReadTriangleLines();
    ahead_ = Ahead::kTriangles;
  });
  // No thread to be had: the triangles are read after the points.
  if (!started) source_.set_pending(pending_);
}

void ConversionJob::StopReadingTriangles() {
  if (!triangle_reader_.Started()) return;
  // What the helper threw comes out here, once the reader is back in
  // this thread's hands.
  const work::ScopeExit give_back([this] { source_.set_pending(pending_); });
  triangle_reader_.Wait();
  // Nothing is pending after the points are written, so what reading
  // left comes out where it would have come out without the helper.
  if (const int code = triangle_pending_.TakeIoError(); code != 0) {
    pending_.Set(code);
  }
}

bool ConversionJob::FinishReadingTriangles() {
  StopReadingTriangles();
  switch (ahead_) {
    case Ahead::kTriangles:
      return true;
    case Ahead::kRefused:
      return false;
    case Ahead::kNothing:
      ReadTriangleCount();
      break;
    case Ahead::kCount:
      break;
  }
  if (!SizeForTriangles(0)) return false;
  ReadTriangleLines();
  return true;
}

void ConversionJob::ReadTriangleLines() {
  work::TableEntry* triangles = tables_.triangles();
  uint8_t* fourth_values = tables_.fourth_values();
  std::array<int32_t, 4> line{};
  for (int32_t t = 0; t < triangle_count_; ++t) {
    source_.ReadNumberLine(line);
    triangles[t] = {line[0], line[1], line[2]};
    fourth_values[t] = static_cast<uint8_t>(line[3]);
  }
}

void ConversionJob::WriteTriangles(const OutputList& list,
                                   work::Feedback& feedback) {
  target_.WriteNumber(list.count_line);
  WriteLineEnd();

  const work::TableEntry* triangles = tables_.triangles();
  const uint8_t* fourth_values = tables_.fourth_values();
  const mirror::CopyPlan& plan = mirror_.plan;
  const int32_t point_count = point_count_;
  const auto write_lines = [&](const auto& stretch) {
    target_.WriteLines(
        list.entries(), obt::kMaxNumberLineLength<4>,
        [&stretch, &list](std::size_t first, std::size_t end, char* out) {
          return WriteCopyLines(list.rows, list.kept, first, end, out, stretch);
        });
  };
  if (list.kept != nullptr) {
    // The corners name the points as the stage numbers them: the lines'
    // corners are put together a handful at a time.
    const uint32_t* numbers = result_stage_->point_numbers().data();
    const auto number = [numbers](int32_t corner) {
      return static_cast<int32_t>(numbers[static_cast<uint32_t>(corner)]);
    };
    write_lines(
        [&](std::size_t copy, std::size_t row, std::size_t end_row, char* out) {
          std::array<work::TableEntry, 64> written;
          while (row < end_row) {
            const std::size_t lines = std::min(written.size(), end_row - row);
            for (std::size_t i = 0; i < lines; ++i) {
              const work::TableEntry triangle = mirror::ReplicatedTriangle(
                  plan, copy, point_count, triangles[row + i]);
              written[i] = {number(triangle[0]), number(triangle[1]),
                            number(triangle[2])};
            }
            out = obt::WriteTriangleLines(out, written.data(),
                                          fourth_values + row, lines);
            row += lines;
          }
          return out;
        });
  } else {
    write_lines(
        [&](std::size_t copy, std::size_t row, std::size_t end_row, char* out) {
          return obt::WriteTriangleLines(
              out, triangles + row, fourth_values + row, end_row - row,
              mirror::ShiftOfCopy(plan, copy, point_count));
        });
  }
  pending_.CheckIo();
  if (header_.version_text == obt::kVersion2Line) {
    target_.WriteSingleChar('0');
    WriteLineEnd();
  }
  feedback.SetGaugeProgress(100);
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
