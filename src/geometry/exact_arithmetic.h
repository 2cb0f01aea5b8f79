#ifndef OBTMIRROR_GEOMETRY_EXACT_ARITHMETIC_H_
#define OBTMIRROR_GEOMETRY_EXACT_ARITHMETIC_H_

#include <array>
#include <cstdint>

#include "mirror/mirror_centre.h"
#include "work/work_tables.h"

namespace geometry {

// Coordinates relative to a centre need 33 bits, their cross products 67
// and a triple product of three of them 100: held this wide, no
// comparison ever needs a tolerance.
__extension__ typedef __int128 Int128;

// x, y, z.
using Vector3 = std::array<int64_t, 3>;
using WideVector3 = std::array<Int128, 3>;

// A point of the file relative to the centre, exactly: the run holds the
// same difference wrapped to 32 bits.
constexpr Vector3 RelativeTo(const work::TableEntry& point,
                             const mirror::MirrorCentre& centre) {
  return {int64_t{point[0]} - centre.x, int64_t{point[1]} - centre.y,
          int64_t{point[2]} - centre.z};
}

constexpr int64_t CentreOn(const mirror::MirrorCentre& centre, int axis) {
  return axis == 0 ? centre.x : axis == 1 ? centre.y : centre.z;
}

constexpr Vector3 Subtract(const Vector3& a, const Vector3& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}

constexpr WideVector3 Cross(const Vector3& a, const Vector3& b) {
  return {Int128{a[1]} * b[2] - Int128{a[2]} * b[1],
          Int128{a[2]} * b[0] - Int128{a[0]} * b[2],
          Int128{a[0]} * b[1] - Int128{a[1]} * b[0]};
}

// a · (b × c): six times the signed volume of the tetrahedron from the
// origin to the triangle a, b, c. Below 2^99 for 33-bit coordinates, so
// 2^26 of them add up without overflow.
constexpr Int128 TripleProduct(const Vector3& a, const Vector3& b,
                               const Vector3& c) {
  const WideVector3 n = Cross(b, c);
  return a[0] * n[0] + a[1] * n[1] + a[2] * n[2];
}

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_EXACT_ARITHMETIC_H_
