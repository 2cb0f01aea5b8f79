// Writing the triangles of every copy, with their corners renumbered as
// the copy's points or as a stage numbers them, and the closing line of a
// version 2 file.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "mirror/copy_plan.h"
#include "mirror/replication.h"
#include "obt/decimal_format.h"
#include "obt/obt_format.h"
#include "obt/triangle_lines.h"
#include "run/conversion_job.h"
#include "run/output_list.h"
#include "work/work_tables.h"

namespace run {

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

}  // namespace run
