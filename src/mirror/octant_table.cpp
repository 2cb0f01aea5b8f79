#include "mirror/octant_table.h"

namespace mirror {

void OctantTable::InitOctantTable() {
  // z fastest, then y, then x: bottom corners 1, 2, 4, 8 run front left,
  // front right, back right, back left; each top corner is 16 times the
  // bottom corner beneath it.
  codes_[0] = {{{1, 16}, {8, 128}}};
  codes_[1] = {{{2, 32}, {4, 64}}};
}

std::optional<OctantSides> OctantTable::FindOctantSides(OctantCode code) const {
  for (int x = 1; x <= 2; ++x) {
    for (int y = 1; y <= 2; ++y) {
      for (int z = 1; z <= 2; ++z) {
        if (At(x, y, z) == code) return OctantSides{x, y, z};
      }
    }
  }
  return std::nullopt;
}

}  // namespace mirror
