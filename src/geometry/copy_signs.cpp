#include "geometry/copy_signs.h"

namespace geometry {

CopySigns::CopySigns(const mirror::CopyPlan& plan)
    : copies(static_cast<std::size_t>(plan.copy_count) + 1) {
  for (std::size_t copy = 1; copy < copies; ++copy) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (plan.axis_sign[copy - 1][axis] < 0) {
        mirrored[copy] |= static_cast<AxisMask>(1u << axis);
      }
    }
    winding_flip[copy] = plan.winding_flip[copy - 1] != 0;
    // Copy 0 mirrors nothing, so every axis a copy mirrors separates two.
    mirror_planes |= mirrored[copy];
  }
  for (std::size_t copy = 0; copy < copies; ++copy) {
    first_of_its_kind[copy] = true;
    for (std::size_t earlier = 0; earlier < copy; ++earlier) {
      if (mirrored[earlier] == mirrored[copy]) first_of_its_kind[copy] = false;
    }
  }
}

}  // namespace geometry
