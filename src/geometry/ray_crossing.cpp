#include "geometry/ray_crossing.h"

#include <algorithm>
#include <cstddef>

namespace geometry {
namespace {

template <typename T>
int Sign(T value) {
  return (value > 0) - (value < 0);
}

// (b - a) x (q - a) on axes u, w: positive when q lies left of a to b.
Int128 Turn(const Vector3& a, const Vector3& b, const Vector3& q, std::size_t u,
            std::size_t w) {
  return Int128{b[u] - a[u]} * (q[w] - a[w]) -
         Int128{b[w] - a[w]} * (q[u] - a[u]);
}

// The side of a to b, seen along x, that the moved point lies on. Where
// the point itself lies on the line, e decides, then e^2; 0 only for an
// edge along x.
int SideOfEdge(const Vector3& a, const Vector3& b, const Vector3& q) {
  const int turn = Sign(Turn(a, b, q, 1, 2));
  if (turn != 0) return turn;
  if (b[2] != a[2]) return Sign(a[2] - b[2]);
  return Sign(b[1] - a[1]);
}

// Whether `q`, in the plane of the triangle with normal `n`, lies in it or
// on its border: seen along the normal's largest axis, no edge has it on
// the outer side.
bool Holds(const Triangle3& t, const WideVector3& n, const Vector3& q) {
  const auto magnitude = [](Int128 v) { return v < 0 ? -v : v; };
  std::size_t along = 0;
  for (std::size_t axis = 1; axis < 3; ++axis) {
    if (magnitude(n[axis]) > magnitude(n[along])) along = axis;
  }
  if (n[along] == 0) return false;
  const std::size_t u = (along + 1) % 3;
  const std::size_t w = (along + 2) % 3;
  const int facing = Sign(n[along]);
  for (std::size_t k = 0; k < 3; ++k) {
    if (Sign(Turn(t[k], t[(k + 1) % 3], q, u, w)) == -facing) return false;
  }
  return true;
}

}  // namespace

RayCrossing CrossingOf(const Vector3& point, const Triangle3& triangle) {
  Triangle3 t;
  for (std::size_t k = 0; k < 3; ++k) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      t[k][axis] = 3 * triangle[k][axis];
    }
  }
  // Most triangles lie wholly behind the point or beside the ray.
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const auto [low, high] = std::minmax({t[0][axis], t[1][axis], t[2][axis]});
    if (point[axis] > high || (axis != 0 && point[axis] < low)) {
      return RayCrossing::kMisses;
    }
  }
  const WideVector3 n = Cross(Subtract(t[1], t[0]), Subtract(t[2], t[0]));
  const Vector3 d = Subtract(point, t[0]);
  const Int128 height = n[0] * d[0] + n[1] * d[1] + n[2] * d[2];
  if (height == 0 && Holds(t, n, point)) return RayCrossing::kTouches;
  const int side = SideOfEdge(t[0], t[1], point);
  if (side == 0 || SideOfEdge(t[1], t[2], point) != side ||
      SideOfEdge(t[2], t[0], point) != side) {
    return RayCrossing::kMisses;
  }
  // The moved point lies within the triangle seen along x, so the plane is
  // not along x, and the point, not on the triangle, not in the plane: the
  // ray meets the plane ahead when the point's side of it and the normal's
  // x differ in sign.
  if (height == 0) return RayCrossing::kMisses;
  return (height > 0) != (n[0] > 0) ? RayCrossing::kCrosses
                                    : RayCrossing::kMisses;
}

}  // namespace geometry
