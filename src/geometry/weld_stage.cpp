#include "geometry/weld_stage.h"

#include <algorithm>

namespace geometry {
namespace {

std::size_t OutputEntries(const mirror::CopyPlan& plan, int32_t count) {
  return (static_cast<std::size_t>(plan.copy_count) + 1) *
         static_cast<std::size_t>(std::max(count, 0));
}

}  // namespace

std::size_t WeldStage::AfterPoints(const mirror::CopyPlan& plan,
                                   int32_t point_count,
                                   work::TableEntry* points) {
  points_merged_ = triangles_dropped_ = 0;
  corner_out_of_range_.reset();
  const std::size_t kept =
      WeldPoints(CopySigns(plan), point_count, points, points_);
  points_merged_ = OutputEntries(plan, point_count) - kept;
  return kept;
}

std::optional<std::size_t> WeldStage::AfterTriangles(
    const mirror::CopyPlan& plan, int32_t /*point_count*/,
    int32_t triangle_count, work::TableEntry* triangles,
    uint8_t* fourth_values) {
  // The point step has kept all it needs of the points.
  const TriangleWeldResult result = WeldTriangles(
      CopySigns(plan), points_, triangle_count, triangles, fourth_values);
  if (result.out_of_range) {
    corner_out_of_range_ = result.out_of_range;
    return std::nullopt;
  }
  triangles_dropped_ = OutputEntries(plan, triangle_count) - result.kept;
  return result.kept;
}

}  // namespace geometry
