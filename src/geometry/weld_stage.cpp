#include "geometry/weld_stage.h"

#include <algorithm>

namespace geometry {
namespace {

std::size_t OutputEntries(const mirror::CopyPlan& plan, int32_t count) {
  return (static_cast<std::size_t>(plan.copy_count) + 1) *
         static_cast<std::size_t>(std::max(count, 0));
}

}  // namespace

const mirror::KeptEntries& WeldStage::AfterPoints(
    const mirror::CopyPlan& plan, int32_t point_count,
    const work::TableEntry* points) {
  points_merged_ = triangles_dropped_ = 0;
  corner_out_of_range_.reset();
  const std::size_t kept =
      WeldPoints(CopySigns(plan), point_count, points, points_);
  points_merged_ = OutputEntries(plan, point_count) - kept;
  return points_.kept;
}

const mirror::KeptEntries* WeldStage::AfterTriangles(
    const mirror::CopyPlan& plan, int32_t /*point_count*/,
    int32_t triangle_count, const work::TableEntry* triangles) {
  // The point step has kept all it needs of the points.
  corner_out_of_range_ =
      WeldTriangles(plan, points_, triangle_count, triangles, triangles_);
  if (corner_out_of_range_) return nullptr;
  triangles_dropped_ = OutputEntries(plan, triangle_count) - triangles_.count();
  return &triangles_;
}

}  // namespace geometry
