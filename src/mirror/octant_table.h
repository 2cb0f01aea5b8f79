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
  constexpr OctantCode At(int x_side, int y_side, int z_side) const {
    return codes_[x_side - 1][y_side - 1][z_side - 1];
  }

  // Scans x outermost, then y, then z; nothing when no position holds the
  // code (0, or a byte with more than one bit set).
  constexpr std::optional<OctantSides> FindOctantSides(OctantCode code) const {
    for (int x = 1; x <= 2; ++x) {
      for (int y = 1; y <= 2; ++y) {
        for (int z = 1; z <= 2; ++z) {
          if (At(x, y, z) == code) return OctantSides{x, y, z};
        }
      }
    }
    return std::nullopt;
  }

 private:
  // z fastest, then y, then x: bottom corners 1, 2, 4, 8 run front left,
  // front right, back right, back left; each top corner is 16 times the
  // bottom corner beneath it.
  std::array<std::array<std::array<OctantCode, 2>, 2>, 2> codes_ = {
      {{{{1, 16}, {8, 128}}}, {{{2, 32}, {4, 64}}}}};
};

inline constexpr OctantTable kOctantTable{};

// Every code has its place, so a lookup of a valid code never comes back
// empty.
static_assert([] {
  for (const OctantCode code : kOctantCodes) {
    if (!kOctantTable.FindOctantSides(code)) return false;
  }
  return true;
}());

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_OCTANT_TABLE_H_
