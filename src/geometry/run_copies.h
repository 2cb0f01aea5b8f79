#ifndef OBTMIRROR_GEOMETRY_RUN_COPIES_H_
#define OBTMIRROR_GEOMETRY_RUN_COPIES_H_

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "geometry/axis_mask.h"
#include "mirror/copy_plan.h"
#include "mirror/octant_table.h"

namespace geometry {

// The copies a run writes, the source object itself among them, and where
// they meet. Something that lies in the mirror planes of some axes (a point
// on a plane, an edge along one, a face in one) is put in the same place by
// two copies whose mirrored axes differ only on those axes.
class RunCopies {
 public:
  // How some copies come together on one place: how many, and how many of
  // them turn their triangles' corners around.
  struct Meeting {
    int copies = 0;
    int flipped = 0;

    bool operator==(const Meeting&) const = default;
  };

  RunCopies(mirror::OctantCode source_octant, const mirror::CopyPlan& plan);

  const mirror::OctantSides& source_sides() const { return source_sides_; }
  // The axes that some copy mirrors.
  AxisMask mirrored_axes() const { return mirrored_axes_; }
  // The octant whose copy is the source object once more, unmirrored; 0
  // when there is none. It is left out of the meetings: it doubles
  // everything, which is reported once.
  mirror::OctantCode duplicate_octant() const { return duplicate_octant_; }

  // The distinct meetings of the copies on something that lies in the
  // planes of `planes`; with no such planes every copy stands alone.
  std::span<const Meeting> MeetingsOn(AxisMask planes) const {
    return meetings_[planes & 7];
  }

  // The octants (a mask of codes) the copies fill when the object lies in
  // `object_octant`.
  uint8_t FilledOctants(mirror::OctantCode object_octant) const;

 private:
  mirror::OctantSides source_sides_;
  AxisMask mirrored_axes_ = 0;
  mirror::OctantCode duplicate_octant_ = 0;
  // The axes each distinct copy mirrors, and whether it flips.
  std::vector<AxisMask> mirrors_;
  std::vector<bool> flips_;
  std::array<std::vector<Meeting>, 8> meetings_;
};

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_RUN_COPIES_H_
