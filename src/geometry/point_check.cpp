#include <array>
#include <cstdint>
#include <limits>

#include "geometry/check_passes.h"
#include "geometry/exact_arithmetic.h"

namespace geometry {
namespace {

using mirror::OctantSides;

bool Fits32(int64_t value) {
  return value >= std::numeric_limits<int32_t>::min() &&
         value <= std::numeric_limits<int32_t>::max();
}

int SideOn(const OctantSides& sides, int axis) {
  return axis == 0 ? sides.x : axis == 1 ? sides.y : sides.z;
}

// Whether a coordinate relative to the centre lies strictly on the other
// side of the plane from `side` (1 negative, 2 positive).
bool Beyond(int64_t relative, int side) {
  return side == 1 ? relative > 0 : relative < 0;
}

// The octant of the object when it lies on the other side of the planes
// of `flipped` than the source octant says.
mirror::OctantCode OctantOf(const OctantSides& source, AxisMask flipped) {
  const auto side = [&](int axis) {
    const int s = SideOn(source, axis);
    return (flipped >> axis & 1) != 0 ? 3 - s : s;
  };
  return mirror::kOctantTable.At(side(0), side(1), side(2));
}

}  // namespace

void CheckPoints(const obt::ObtObject& object,
                 const mirror::MirrorCentre& centre, const RunCopies& copies,
                 FindingList& findings) {
  const AxisMask mirrored = copies.mirrored_axes();
  if (mirrored == 0) return;
  const OctantSides& source = copies.source_sides();

  // On which axes points lie inside the source octant's side, and on
  // which beyond it.
  AxisMask inside = 0;
  AxisMask beyond = 0;
  for (std::size_t i = 0; i < object.points.size(); ++i) {
    const Vector3 d = RelativeTo(object.points[i], centre);
    bool wraps = false;
    for (int axis = 0; axis < 3; ++axis) {
      const int64_t c = d[static_cast<std::size_t>(axis)];
      if (Beyond(c, SideOn(source, axis))) {
        beyond |= 1U << axis;
      } else if (c != 0) {
        inside |= 1U << axis;
      }
      if ((mirrored >> axis & 1) == 0) continue;
      // The image on a mirrored axis is centre - d; the run writes it
      // wrapped to 32 bits.
      const int64_t image = CentreOn(centre, axis) - c;
      if (!wraps && !Fits32(image)) {
        wraps = true;
        findings.Add({FindingKind::kImageWraps,
                      object.point_lines.LineOf(static_cast<int64_t>(i)),
                      {static_cast<int64_t>(i), axis, image,
                       static_cast<int32_t>(image)}});
      }
    }
  }

  // An object that crosses a mirror plane overlaps its own copy there. One
  // wholly beyond a plane is mirrored as well, but its copies may land in
  // other octants than asked.
  const AxisMask crossed = inside & beyond & mirrored;
  if (crossed != 0) {
    for (std::size_t i = 0; i < object.points.size(); ++i) {
      const Vector3 d = RelativeTo(object.points[i], centre);
      for (int axis = 0; axis < 3; ++axis) {
        const int64_t c = d[static_cast<std::size_t>(axis)];
        if ((crossed >> axis & 1) == 0 || !Beyond(c, SideOn(source, axis))) {
          continue;
        }
        findings.Add({FindingKind::kPointBeyondPlane,
                      object.point_lines.LineOf(static_cast<int64_t>(i)),
                      {static_cast<int64_t>(i), axis,
                       c + CentreOn(centre, axis), CentreOn(centre, axis)}});
        break;
      }
    }
  }
  const AxisMask flipped = beyond & ~inside;
  if (flipped == 0) return;
  const mirror::OctantCode stated = OctantOf(source, 0);
  const mirror::OctantCode actual = OctantOf(source, flipped);
  const uint8_t filled = copies.FilledOctants(actual);
  const uint8_t asked = copies.FilledOctants(stated);
  if (filled == asked) {
    findings.Add(
        {FindingKind::kObjectInOtherOctant, 0, {actual, stated, filled}});
  } else {
    findings.Add({FindingKind::kCopiesInOtherOctants,
                  0,
                  {actual, stated, filled, asked}});
  }
}

}  // namespace geometry
