// Reading the triangles: on a helper thread while the points are written
// where the source is a regular file, and on this thread for what the
// helper did not read.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "run/conversion_job.h"
#include "run/output_list.h"
#include "work/scope_exit.h"
#include "work/work_tables.h"

namespace run {

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

}  // namespace run
