// The points of a run: reading them into the tables, relative to the
// mirror centre, and writing the lines of every copy, from the point
// fields where they pay.

#include <array>
#include <cstddef>
#include <cstdint>

#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "mirror/replication.h"
#include "obt/decimal_format.h"
#include "run/conversion_job.h"
#include "run/output_list.h"
#include "run/point_fields.h"
#include "work/work_tables.h"
#include "work/wrap_arithmetic.h"

namespace run {
namespace {

// From this many copies of the points on, their lines are put together
// from fields made once.
constexpr int32_t kCopiesForPointFields = 4;
// How many points the reading stores before it tells the fields' helper.
constexpr std::size_t kRowsStoredAtOnce = 1 << 14;

}  // namespace

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

}  // namespace run
