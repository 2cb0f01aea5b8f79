#ifndef OBTMIRROR_MIRROR_OCTANT_TABLE_H_
#define OBTMIRROR_MIRROR_OCTANT_TABLE_H_

#include <array>
#include <cstdint>
#include <optional>

namespace mirror {

// One octant around the mirror centre: a byte with exactly one bit set.
using OctantCode = uint8_t;

// The eight codes in ascending order, the order of the window's radio
// buttons and check boxes and of the copies in a plan.
inline constexpr std::array<OctantCode, 8> kOctantCodes = {1,  2,  4,  8,
                                                           16, 32, 64, 128};

// Where an octant lies along x, y and z: 1 on the negative side of the
// mirror centre, 2 on the positive side.
struct OctantSides {
  int x = 0;
  int y = 0;
  int z = 0;

  bool operator==(const OctantSides&) const = default;
};

// The octant codes by [x side][y side][z side], sides counted from 1.
class OctantTable {
 public:
  void InitOctantTable();

  OctantCode At(int x_side, int y_side, int z_side) const {
    return codes_[x_side - 1][y_side - 1][z_side - 1];
  }

  // Scans x outermost, then y, then z; nothing when no position holds the
  // code (0, or a byte with more than one bit set).
  std::optional<OctantSides> FindOctantSides(OctantCode code) const;

 private:
  std::array<std::array<std::array<OctantCode, 2>, 2>, 2> codes_{};
};

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_OCTANT_TABLE_H_
