#ifndef OBTMIRROR_GEOMETRY_PART_NESTING_H_
#define OBTMIRROR_GEOMETRY_PART_NESTING_H_

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "geometry/box_tree.h"
#include "geometry/ray_crossing.h"
#include "geometry/triangle_parts.h"

namespace geometry {

// How the closed parts of a surface lie in one another. A solid with a
// cavity has two: its outer wall, and the wall of the cavity inside it,
// which faces into the cavity, away from the solid. So a part rightly
// faces outward when it lies in an even number of the others, and inward
// when in an odd one.
struct PartNest {
  // How many of the other closed parts enclose it.
  uint32_t depth = 0;
  // The innermost of them; TriangleParts::kNoPart at depth 0.
  uint32_t enclosing = TriangleParts::kNoPart;
};

// The corners of a triangle. Rays are cast towards +x, and leave their
// point towards +y and +z: where the coordinates put the source side of
// each mirror plane on the positive side, a ray never meets the mirror
// images that close a part on a plane, and counts that part as closed.
using TriangleCorners = std::function<Triangle3(uint32_t triangle)>;

// For the closed parts `closed` (ListTriangles() is called on `parts`
// when some box holds a point of another part), with boxes[i] around part
// closed[i]: where each lies, by the same index. Parts share no edge, but
// one may touch another in a point: the test of a point on the other's
// surface is tried again with another.
std::vector<PartNest> NestParts(TriangleParts& parts,
                                std::span<const uint32_t> closed,
                                std::span<const Box> boxes,
                                const TriangleCorners& corners);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_PART_NESTING_H_
