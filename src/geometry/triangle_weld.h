#ifndef OBTMIRROR_GEOMETRY_TRIANGLE_WELD_H_
#define OBTMIRROR_GEOMETRY_TRIANGLE_WELD_H_

#include <cstddef>
#include <cstdint>
#include <optional>

#include "geometry/copy_signs.h"
#include "geometry/point_weld.h"
#include "mirror/copy_plan.h"
#include "mirror/kept_entries.h"
#include "work/work_tables.h"

namespace geometry {

// A source triangle (from 0) that names a point the object does not have;
// it has `points` points.
struct CornerOutOfRange {
  std::size_t triangle = 0;
  int32_t point = 0;
  std::size_t points = 0;

  bool operator==(const CornerOutOfRange&) const = default;
};

// Chooses, of the replicated triangles renumbered to the welded points,
// the ones to write: of the triangles over the same three points, none
// when some turn one way and some the other (a face in a mirror plane and
// its mirror image, whether or not the source octant comes twice), else
// the first (exact duplicates collapse). `triangles` are the source's T
// triangles. Leaves the choice in `kept`, or returns the first triangle that
// names a point the object does not have, leaving `kept` as it was.
//
// Works at the source's level where it can: a source triangle that shares
// its corners with no other and does not lie in a mirror plane meets only
// itself, in a copy that repeats an earlier one. Only the others are
// grouped by their welded corners, and all of them when the source
// straddles a mirror plane.
std::optional<CornerOutOfRange> WeldTriangles(const mirror::CopyPlan& plan,
                                              const WeldedPoints& points,
                                              int32_t triangle_count,
                                              const work::TableEntry* triangles,
                                              mirror::KeptEntries& kept);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_TRIANGLE_WELD_H_
