#include "geometry/run_copies.h"

#include <algorithm>

#include "geometry/copy_signs.h"

namespace geometry {
namespace {

int Side(int side, bool mirrored) { return mirrored ? 3 - side : side; }

}  // namespace

RunCopies::RunCopies(mirror::OctantCode source_octant,
                     const mirror::CopyPlan& plan)
    : source_sides_(mirror::kOctantTable.FindOctantSides(source_octant)
                        .value_or(mirror::OctantSides{1, 1, 1})) {
  const CopySigns signs(plan);
  // The source object, copy 0, mirrors nothing.
  mirrors_.push_back(0);
  flips_.push_back(false);
  for (std::size_t copy = 1; copy < signs.copies; ++copy) {
    if (signs.mirrored[copy] == 0) {
      duplicate_octant_ = source_octant;
      continue;
    }
    mirrors_.push_back(signs.mirrored[copy]);
    flips_.push_back(signs.winding_flip[copy]);
  }
  mirrored_axes_ = signs.mirror_planes;

  for (AxisMask planes = 0; planes < 8; ++planes) {
    std::array<Meeting, 8> at_place{};
    for (std::size_t copy = 0; copy < mirrors_.size(); ++copy) {
      Meeting& meeting = at_place[mirrors_[copy] & ~planes];
      ++meeting.copies;
      if (flips_[copy]) ++meeting.flipped;
    }
    std::vector<Meeting>& distinct = meetings_[planes];
    for (const Meeting& meeting : at_place) {
      if (meeting.copies > 0 && std::find(distinct.begin(), distinct.end(),
                                          meeting) == distinct.end()) {
        distinct.push_back(meeting);
      }
    }
  }
}

uint8_t RunCopies::FilledOctants(mirror::OctantCode object_octant) const {
  const mirror::OctantSides object =
      mirror::kOctantTable.FindOctantSides(object_octant)
          .value_or(mirror::OctantSides{1, 1, 1});
  uint8_t filled = 0;
  for (const AxisMask mirrors : mirrors_) {
    filled |= mirror::kOctantTable.At(Side(object.x, (mirrors & 1) != 0),
                                      Side(object.y, (mirrors & 2) != 0),
                                      Side(object.z, (mirrors & 4) != 0));
  }
  return filled;
}

}  // namespace geometry
