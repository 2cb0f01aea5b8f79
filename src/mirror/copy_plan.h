#ifndef OBTMIRROR_MIRROR_COPY_PLAN_H_
#define OBTMIRROR_MIRROR_COPY_PLAN_H_

#include <array>
#include <cstdint>

#include "mirror/octant_table.h"

namespace mirror {

inline constexpr int kMaxCopies = 8;

// The mirrored copies of a run, numbered from 1 in ascending order of their
// target codes. Copy 0, the source object itself, has no slot. Slots past
// copy_count hold +1, +1, +1 and no flip.
struct CopyPlan {
  int32_t copy_count = 0;
  // [copy - 1][axis - 1]: +1 keeps the axis, -1 mirrors it.
  std::array<std::array<int32_t, 3>, kMaxCopies> axis_sign{};
  // [copy - 1]: 1 when an odd number of axes is mirrored, which turns every
  // triangle inside out unless its first two corners are swapped.
  std::array<uint8_t, kMaxCopies> winding_flip{};
};

// Each checked radio button, in code order, sets the source octant to its
// code; with none checked it keeps the value it had.
void ReadSourceOctant(const std::array<bool, 8>& checked,
                      OctantCode& source_octant);

// The union of the codes whose check boxes are checked.
uint8_t ReadTargetMask(const std::array<bool, 8>& checked);

// Mirrors each copy on every axis on which its target octant lies on the
// other side from the source octant. A source octant that is no valid code
// (only possible before any radio button was read) counts as octant 1.
CopyPlan BuildCopyPlan(OctantCode source_octant, uint8_t target_mask);

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_COPY_PLAN_H_
