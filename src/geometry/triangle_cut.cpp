#include "geometry/triangle_cut.h"

#include <algorithm>
#include <cstddef>
#include <tuple>

namespace geometry {
namespace {

// What the edge of the polygon that ends at a corner lies on: an edge of
// the triangle (from its corner `index` to the next) or the plane of the
// axis `index`.
struct Support {
  bool plane = false;
  int index = 0;
};

struct PolygonCorner {
  CutCorner corner;
  Support incoming;
};

int SignOf(Int128 value) { return value > 0 ? 1 : value < 0 ? -1 : 0; }

// Above 0 on the kept side of the plane, 0 in it, below 0 beyond it.
int SideOf(const CutCorner& corner, int axis, int keep) {
  return SignOf(corner.num[static_cast<std::size_t>(axis)]) * keep;
}

CutCorner OriginalCorner(const CutInput& input, int local) {
  CutCorner corner;
  corner.kind = CutCorner::Kind::kPoint;
  corner.a = input.points[static_cast<std::size_t>(local)];
  const Vector3& at = input.corners[static_cast<std::size_t>(local)];
  corner.num = {at[0], at[1], at[2]};
  return corner;
}

void NormaliseSign(CutCorner& corner) {
  if (corner.den > 0) return;
  corner.den = -corner.den;
  for (Int128& n : corner.num) n = -n;
}

// Where the line through the triangle's edge `edge` meets the plane of
// `axis`. Computed from the edge's points in the order of their numbers,
// so that every triangle with that edge makes the same point.
CutCorner EdgeCorner(const CutInput& input, int edge, int axis) {
  const auto u = static_cast<std::size_t>(edge);
  const std::size_t w = (u + 1) % 3;
  const bool in_order = input.points[u] <= input.points[w];
  const Vector3& a = input.corners[in_order ? u : w];
  const Vector3& b = input.corners[in_order ? w : u];
  const auto k = static_cast<std::size_t>(axis);
  CutCorner corner;
  corner.kind = CutCorner::Kind::kEdge;
  corner.a = std::min(input.points[u], input.points[w]);
  corner.b = std::max(input.points[u], input.points[w]);
  corner.axis = static_cast<uint8_t>(axis);
  // a + t (b - a) with t = a_k / (a_k - b_k).
  corner.den = Int128{a[k]} - b[k];
  for (std::size_t j = 0; j < 3; ++j) {
    corner.num[j] = j == k ? 0 : Int128{b[j]} * a[k] - Int128{a[j]} * b[k];
  }
  NormaliseSign(corner);
  return corner;
}

// Where the planes of `first` and `second` meet the triangle's plane: the
// point on the third axis that solves n · p = n · a. False when the
// triangle's plane holds the whole line, which a corner never needs.
bool FaceCorner(const CutInput& input, int first, int second,
                CutCorner& corner) {
  const WideVector3 n = Cross(Subtract(input.corners[1], input.corners[0]),
                              Subtract(input.corners[2], input.corners[0]));
  const auto j = static_cast<std::size_t>(3 - first - second);
  if (n[j] == 0) return false;
  const Vector3& a = input.corners[0];
  corner.kind = CutCorner::Kind::kFace;
  corner.a = input.triangle;
  corner.b = 0;
  corner.axis = static_cast<uint8_t>(1u << first | 1u << second);
  corner.num = {0, 0, 0};
  corner.num[j] = n[0] * a[0] + n[1] * a[1] + n[2] * a[2];
  corner.den = n[j];
  NormaliseSign(corner);
  return true;
}

int64_t RoundedQuotient(Int128 num, Int128 den) {
  const bool negative = num < 0;
  const Int128 magnitude = negative ? -num : num;
  Int128 quotient = magnitude / den;
  if (2 * (magnitude % den) >= den) ++quotient;
  return static_cast<int64_t>(negative ? -quotient : quotient);
}

}  // namespace

Vector3 CutCorner::Rounded() const {
  return {RoundedQuotient(num[0], den), RoundedQuotient(num[1], den),
          RoundedQuotient(num[2], den)};
}

std::vector<CutCorner> CutTriangle(const CutInput& input,
                                   const CutPlanes& planes) {
  std::vector<PolygonCorner> polygon = {{OriginalCorner(input, 0), {false, 2}},
                                        {OriginalCorner(input, 1), {false, 0}},
                                        {OriginalCorner(input, 2), {false, 1}}};
  std::vector<PolygonCorner> kept;
  for (const int axis : planes.order) {
    const int keep = planes.keep[static_cast<std::size_t>(axis)];
    if (keep == 0) continue;
    kept.clear();
    // Where the edge from p to q crosses the plane.
    bool faceless = false;
    const auto crossing = [&](const Support& support) {
      CutCorner corner;
      if (!support.plane) return EdgeCorner(input, support.index, axis);
      if (!FaceCorner(input, support.index, axis, corner)) faceless = true;
      return corner;
    };
    const Support along_plane{true, axis};
    for (std::size_t i = 0; i < polygon.size(); ++i) {
      const PolygonCorner& q = polygon[i];
      const PolygonCorner& p =
          polygon[(i + polygon.size() - 1) % polygon.size()];
      const int p_side = SideOf(p.corner, axis, keep);
      const int q_side = SideOf(q.corner, axis, keep);
      if (q_side >= 0) {
        if (p_side >= 0) {
          kept.push_back(q);
        } else if (q_side == 0) {
          kept.push_back({q.corner, along_plane});
        } else {
          kept.push_back({crossing(q.incoming), along_plane});
          kept.push_back(q);
        }
      } else if (p_side > 0) {
        kept.push_back({crossing(q.incoming), q.incoming});
      }
    }
    if (faceless || kept.size() < 3) return {};
    polygon.swap(kept);
  }

  // The start, by the place and then by what names it, neither of which
  // depends on the order of the planes.
  std::vector<CutCorner> corners;
  std::vector<std::tuple<Vector3, CutCorner::Kind, uint32_t, uint32_t, uint8_t>>
      keys;
  corners.reserve(polygon.size());
  for (const PolygonCorner& corner : polygon) {
    const CutCorner& c = corner.corner;
    corners.push_back(c);
    keys.emplace_back(c.Rounded(), c.kind, c.a, c.b, c.axis);
  }
  const auto least = std::min_element(keys.begin(), keys.end());
  std::rotate(corners.begin(), corners.begin() + (least - keys.begin()),
              corners.end());
  return corners;
}

}  // namespace geometry
