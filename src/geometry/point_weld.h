#ifndef OBTMIRROR_GEOMETRY_POINT_WELD_H_
#define OBTMIRROR_GEOMETRY_POINT_WELD_H_

#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/copy_signs.h"
#include "mirror/kept_entries.h"
#include "work/work_tables.h"

namespace geometry {

// What the point step of a weld leaves for the triangle step, outside the
// tables.
struct WeldedPoints {
  // N, or 0 for a count below 1.
  std::size_t source_count = 0;
  // For each source point, the first source point with its coordinates.
  std::vector<uint32_t> canonical;
  std::vector<AxisMask> fixed_axes;
  // The axes on which the source has points strictly on both sides of the
  // centre, where a mirrored point may meet another source point.
  AxisMask straddled = 0;
  // For each output point as the replication numbers it (copy a, point p
  // at a·N + p), the number of the point it is written as.
  std::vector<uint32_t> remap;
  // The output points written: the first of each position.
  mirror::KeptEntries kept;
};

// Merges the output points that have the same coordinates into the first
// of them, in output order: keeps the first of each position and numbers
// every output point as the kept one at its position. `points` are the
// source's N points. Returns how many are kept. Works at the
// source's level: a point of copy a can only meet a point of copy b whose
// source point is its own mirrored on the axes where a and b differ, which
// is itself when it lies in those planes, and no source point at all
// unless the source straddles them.
std::size_t WeldPoints(const CopySigns& signs, int32_t point_count,
                       const work::TableEntry* points, WeldedPoints& welded);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_POINT_WELD_H_
