#include "picture/result_copies.h"

namespace picture {

ResultCopies::ResultCopies(const mirror::MirrorCentre& centre,
                           const mirror::CopyPlan& plan)
    : copies_(static_cast<std::size_t>(plan.copy_count) + 1),
      centre_(centre),
      // The run holds points relative to the centre and mirrors them
      // there: c + -(p - c), all in 32-bit wrap-around.
      twice_centre_{2 * static_cast<uint32_t>(centre.x),
                    2 * static_cast<uint32_t>(centre.y),
                    2 * static_cast<uint32_t>(centre.z)} {
  for (std::size_t copy = 1; copy < copies_.size(); ++copy) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      copies_[copy].mirrored[axis] = plan.axis_sign[copy - 1][axis] < 0;
      if (copies_[copy].mirrored[axis]) mirrored_axes_ |= 1u << axis;
    }
    copies_[copy].flip = plan.winding_flip[copy - 1] != 0;
  }
}

}  // namespace picture
