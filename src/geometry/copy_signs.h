#ifndef OBTMIRROR_GEOMETRY_COPY_SIGNS_H_
#define OBTMIRROR_GEOMETRY_COPY_SIGNS_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "geometry/axis_mask.h"
#include "mirror/copy_plan.h"
#include "work/work_tables.h"

namespace geometry {

// The copies of a run: copy 0, the source object, and the plan's copies
// 1..copy_count, each with the axes it mirrors and whether it flips its
// triangles.
struct CopySigns {
  explicit CopySigns(const mirror::CopyPlan& plan);

  // copy_count + 1.
  std::size_t copies = 1;
  std::array<AxisMask, mirror::kMaxCopies + 1> mirrored{};
  std::array<bool, mirror::kMaxCopies + 1> winding_flip{};
  // The axes on which any two copies differ: the planes the run mirrors in.
  AxisMask mirror_planes = 0;
  // Whether no earlier copy mirrors the same axes: a later one with the
  // same axes repeats it exactly (the source octant among the targets).
  std::array<bool, mirror::kMaxCopies + 1> first_of_its_kind{};
};

// The axes on which mirroring leaves the coordinate as it is: 0 and, since
// the coordinates wrap at 32 bits, -2^31.
inline AxisMask FixedAxes(const work::TableEntry& point) {
  AxisMask fixed = 0;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const uint32_t value = static_cast<uint32_t>(point[axis]);
    if ((value << 1) == 0) fixed |= static_cast<AxisMask>(1u << axis);
  }
  return fixed;
}

// The point mirrored on `axes`, wrapping at 32 bits as the replication
// does.
inline work::TableEntry MirroredOn(AxisMask axes, work::TableEntry point) {
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if ((axes >> axis & 1) != 0) {
      point[axis] =
          static_cast<int32_t>(0u - static_cast<uint32_t>(point[axis]));
    }
  }
  return point;
}

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_COPY_SIGNS_H_
