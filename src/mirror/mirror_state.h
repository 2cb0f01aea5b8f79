#ifndef OBTMIRROR_MIRROR_MIRROR_STATE_H_
#define OBTMIRROR_MIRROR_MIRROR_STATE_H_

#include <cstdint>

#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "mirror/octant_table.h"

namespace mirror {

// The mirroring engine's state, kept for the program's life. Every run
// rewrites all of it except the source octant, which keeps its value when a
// run finds no radio button checked.
struct MirrorState {
  MirrorCentre centre;
  OctantCode source_octant = 0;
  uint8_t target_mask = 0;
  CopyPlan plan;
};

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_MIRROR_STATE_H_
