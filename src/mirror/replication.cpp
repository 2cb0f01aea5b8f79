#include "mirror/replication.h"

#include <algorithm>
#include <cstddef>

#include "work/wrap_arithmetic.h"

namespace mirror {
void MirrorPoints(const CopyPlan& plan, int32_t point_count,
                  work::TableEntry* points, work::Feedback& feedback) {
  const std::size_t n = static_cast<std::size_t>(std::max(point_count, 0));
  for (std::size_t copy = 1; copy <= static_cast<std::size_t>(plan.copy_count);
       ++copy) {
    const auto& sign = plan.axis_sign[copy - 1];
    work::TableEntry* block = points + copy * n;
    for (std::size_t p = 0; p < n; ++p) {
      for (std::size_t axis = 0; axis < 3; ++axis) {
        block[p][axis] = work::WrapMultiply(points[p][axis], sign[axis]);
      }
    }
  }
  feedback.SetGaugeProgress(67);
}

void ReplicateTriangles(const CopyPlan& plan, int32_t point_count,
                        int32_t triangle_count, work::TableEntry* triangles,
                        uint8_t* fourth_values, work::Feedback& feedback) {
  const std::size_t t_count =
      static_cast<std::size_t>(std::max(triangle_count, 0));
  for (std::size_t copy = 1; copy <= static_cast<std::size_t>(plan.copy_count);
       ++copy) {
    // The offset is N·n in the file's 32-bit point numbers, whatever N is.
    const uint32_t offset =
        static_cast<uint32_t>(point_count) * static_cast<uint32_t>(copy);
    const bool flip = plan.winding_flip[copy - 1] != 0;
    work::TableEntry* block = triangles + copy * t_count;
    uint8_t* block_fourth = fourth_values + copy * t_count;
    for (std::size_t t = 0; t < t_count; ++t) {
      const work::TableEntry& source = triangles[t];
      block[t][0] = work::WrapAdd(source[flip ? 1 : 0], offset);
      block[t][1] = work::WrapAdd(source[flip ? 0 : 1], offset);
      block[t][2] = work::WrapAdd(source[2], offset);
      block_fourth[t] = fourth_values[t];
    }
  }
  feedback.SetGaugeProgress(67);
}

}  // namespace mirror
