#include "mirror/replication.h"

#include <algorithm>
#include <cstddef>

namespace mirror {
void MirrorPoints(const CopyPlan& plan, int32_t point_count,
                  work::TableEntry* points, work::Feedback& feedback) {
  const std::size_t n = static_cast<std::size_t>(std::max(point_count, 0));
  for (std::size_t copy = 1; copy <= static_cast<std::size_t>(plan.copy_count);
       ++copy) {
    work::TableEntry* block = points + copy * n;
    for (std::size_t p = 0; p < n; ++p) {
      block[p] = MirroredPoint(plan, copy, points[p]);
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
    work::TableEntry* block = triangles + copy * t_count;
    uint8_t* block_fourth = fourth_values + copy * t_count;
    for (std::size_t t = 0; t < t_count; ++t) {
      block[t] = ReplicatedTriangle(plan, copy, point_count, triangles[t]);
      block_fourth[t] = fourth_values[t];
    }
  }
  feedback.SetGaugeProgress(67);
}

}  // namespace mirror
