#ifndef OBTMIRROR_GEOMETRY_RAY_CROSSING_H_
#define OBTMIRROR_GEOMETRY_RAY_CROSSING_H_

#include <array>

#include "geometry/exact_arithmetic.h"

namespace geometry {

using Triangle3 = std::array<Vector3, 3>;

// What the ray from a point towards +x meets in a triangle. The ray starts
// at the point moved by (0, e, e^2) for an e too small to reach anything
// else: it never runs through an edge or a corner, so where two triangles
// share an edge it crosses exactly one of them, and parity counts every
// crossing of a closed surface once. Only a point on the surface itself
// has no answer: it touches.
enum class RayCrossing { kMisses, kCrosses, kTouches };

// `point` in thirds of a unit (three times a corner, or the sum of a
// triangle's three) and `triangle` in units; both within 33 bits of
// coordinate, so that every product is exact in 128.
RayCrossing CrossingOf(const Vector3& point, const Triangle3& triangle);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_RAY_CROSSING_H_
