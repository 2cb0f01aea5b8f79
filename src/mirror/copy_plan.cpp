#include "mirror/copy_plan.h"

namespace mirror {

void ReadSourceOctant(const std::array<bool, 8>& checked,
                      OctantCode& source_octant) {
  for (std::size_t i = 0; i < kOctantCodes.size(); ++i) {
    if (checked[i]) source_octant = kOctantCodes[i];
  }
}

uint8_t ReadTargetMask(const std::array<bool, 8>& checked) {
  uint8_t mask = 0;
  for (std::size_t i = 0; i < kOctantCodes.size(); ++i) {
    if (checked[i]) mask |= kOctantCodes[i];
  }
  return mask;
}

CopyPlan BuildCopyPlan(OctantCode source_octant, uint8_t target_mask) {
  CopyPlan plan;
  for (auto& signs : plan.axis_sign) signs = {1, 1, 1};

  const OctantSides source = kOctantTable.FindOctantSides(source_octant)
                                 .value_or(OctantSides{1, 1, 1});
  for (const OctantCode code : kOctantCodes) {
    if ((target_mask & code) == 0) continue;
    const std::size_t slot = static_cast<std::size_t>(plan.copy_count++);
    const OctantSides target = *kOctantTable.FindOctantSides(code);
    const std::array<bool, 3> mirrored = {
        target.x != source.x, target.y != source.y, target.z != source.z};
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (!mirrored[axis]) continue;
      plan.axis_sign[slot][axis] = -1;
      plan.winding_flip[slot] ^= 1;
    }
  }
  return plan;
}

}  // namespace mirror
