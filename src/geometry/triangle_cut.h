#ifndef OBTMIRROR_GEOMETRY_TRIANGLE_CUT_H_
#define OBTMIRROR_GEOMETRY_TRIANGLE_CUT_H_

#include <array>
#include <cstdint>
#include <vector>

#include "geometry/exact_arithmetic.h"

namespace geometry {

// The planes an object is cut at, through the origin of coordinates
// relative to the mirror centre: on axis k, keep[k] is +1 to keep what lies
// at or above 0, -1 to keep what lies at or below, 0 for no cut. `order` is
// the order in which the planes are applied, which changes nothing of the
// result; only the tests choose another.
struct CutPlanes {
  std::array<int, 3> keep{};
  std::array<int, 3> order = {0, 1, 2};

  bool Any() const { return keep[0] != 0 || keep[1] != 0 || keep[2] != 0; }
};

// A corner of a cut triangle, exactly: num / den on each axis, den > 0.
// What it is names it, so that every triangle that meets the same place
// makes the same point there: an original corner (its point number), the
// point where the edge between two points meets the plane of an axis, or
// the point where the planes of two axes meet inside one triangle.
struct CutCorner {
  enum class Kind : uint8_t { kPoint, kEdge, kFace };

  Kind kind = Kind::kPoint;
  // kPoint: the point number in `a`. kEdge: the two point numbers, the
  // smaller in `a`, and the plane's axis in `axis`. kFace: the triangle's
  // number in `a` and the two planes' axes as bits in `axis`.
  uint32_t a = 0;
  uint32_t b = 0;
  uint8_t axis = 0;
  WideVector3 num{};
  Int128 den = 1;

  bool SamePlace(const CutCorner& other) const {
    return kind == other.kind && a == other.a && b == other.b &&
           axis == other.axis;
  }
  // The point rounded to whole units, halves away from zero.
  Vector3 Rounded() const;
};

// One triangle of the object: its number, its corners' point numbers and
// their coordinates relative to the centre.
struct CutInput {
  uint32_t triangle = 0;
  std::array<uint32_t, 3> points{};
  std::array<Vector3, 3> corners{};
};

// The part of the triangle that lies on the kept side of every plane, as a
// convex polygon in the triangle's winding; empty when nothing is left.
// It starts at its corner of least rounded coordinates (x, then y, then
// z; where two round alike, by what names them), so that it comes out the
// same whatever the order of the planes.
std::vector<CutCorner> CutTriangle(const CutInput& input,
                                   const CutPlanes& planes);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_TRIANGLE_CUT_H_
