#ifndef OBTMIRROR_GEOMETRY_WELD_STAGE_H_
#define OBTMIRROR_GEOMETRY_WELD_STAGE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "geometry/point_weld.h"
#include "geometry/triangle_weld.h"
#include "mirror/kept_entries.h"
#include "mirror/result_stage.h"

namespace geometry {

// The result of a run as one mesh: output points with equal coordinates
// merged into the first of them, the triangles renumbered to them, and of
// the triangles over the same three points those dropped that cancel or
// repeat others (see WeldTriangles). Exact: points are equal when their
// three 32-bit coordinates are.
class WeldStage final : public mirror::ResultStage {
 public:
  const mirror::KeptEntries& AfterPoints(
      const mirror::CopyPlan& plan, int32_t point_count,
      const work::TableEntry* points) override;
  const mirror::KeptEntries* AfterTriangles(
      const mirror::CopyPlan& plan, int32_t point_count, int32_t triangle_count,
      const work::TableEntry* triangles) override;
  std::span<const uint32_t> point_numbers() const override {
    return points_.remap;
  }

  // What the last run's weld did.
  std::size_t points_merged() const { return points_merged_; }
  std::size_t triangles_dropped() const { return triangles_dropped_; }
  // Why the last run's triangles were refused, if they were.
  const std::optional<CornerOutOfRange>& corner_out_of_range() const {
    return corner_out_of_range_;
  }

 private:
  WeldedPoints points_;
  mirror::KeptEntries triangles_;
  std::size_t points_merged_ = 0;
  std::size_t triangles_dropped_ = 0;
  std::optional<CornerOutOfRange> corner_out_of_range_;
};

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_WELD_STAGE_H_
