#include "geometry/part_nesting.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace geometry {
namespace {

// Points of a part tried against another's surface before the part is
// taken to lie outside: only surfaces laid on one another touch in more
// than a few.
constexpr uint32_t kMostTries = 64;

// The point of a part that try `k` takes, in thirds of a unit: the corners
// of its triangles in turn, each followed by the triangle's middle, which
// lies on another surface only where the two are laid on one another.
// False when the part has no more.
bool TryPoint(std::span<const uint32_t> part, uint32_t k,
              const TriangleCorners& corners, Vector3& point) {
  if (k >= kMostTries || k / 4 >= part.size()) return false;
  const Triangle3 c = corners(part[k / 4]);
  for (std::size_t axis = 0; axis < 3; ++axis) {
    point[axis] =
        k % 4 < 3 ? 3 * c[k % 4][axis] : c[0][axis] + c[1][axis] + c[2][axis];
  }
  return true;
}

// A point of a part tested against another's surface.
struct Query {
  Vector3 point;
  uint32_t part = 0;
  uint32_t tries = 0;
  bool inside = false;
  bool touches = false;
};

// The rays of all `queries` against `surface` in one pass over its
// triangles, each meeting only those whose y it spans.
void CastRays(std::vector<Query>& queries, std::span<const uint32_t> surface,
              const TriangleCorners& corners) {
  std::sort(queries.begin(), queries.end(), [](const Query& a, const Query& b) {
    return a.point[1] < b.point[1];
  });
  for (const uint32_t t : surface) {
    const Triangle3 triangle = corners(t);
    const auto [low, high] =
        std::minmax({triangle[0][1], triangle[1][1], triangle[2][1]});
    const auto first = std::lower_bound(
        queries.begin(), queries.end(), 3 * low,
        [](const Query& q, int64_t y) { return q.point[1] < y; });
    for (auto q = first; q != queries.end() && q->point[1] <= 3 * high; ++q) {
      if (q->touches) continue;
      switch (CrossingOf(q->point, triangle)) {
        case RayCrossing::kMisses:
          break;
        case RayCrossing::kCrosses:
          q->inside = !q->inside;
          break;
        case RayCrossing::kTouches:
          q->touches = true;
          break;
      }
    }
  }
}

}  // namespace

std::vector<PartNest> NestParts(TriangleParts& parts,
                                std::span<const uint32_t> closed,
                                std::span<const Box> boxes,
                                const TriangleCorners& corners) {
  // Each part whose box holds the first point of another, and that other,
  // by their indices: the point the first try takes, so that a part whose
  // box does not hold it costs no try.
  std::vector<std::pair<uint32_t, uint32_t>> tests;
  {
    const BoxTree tree(boxes);
    for (uint32_t i = 0; i < closed.size(); ++i) {
      const Vector3 first = corners(parts.FirstTriangle(closed[i]))[0];
      tree.ForEachHolding(first, [&tests, i](uint32_t j) {
        if (j != i) tests.emplace_back(j, i);
      });
    }
  }
  // The indices of the parts around each.
  std::vector<std::vector<uint32_t>> around(closed.size());
  if (!tests.empty()) parts.ListTriangles();
  std::sort(tests.begin(), tests.end());
  std::vector<Query> queries;
  for (auto test = tests.begin(); test != tests.end();) {
    const uint32_t outer = test->first;
    const auto end = std::find_if(
        test, tests.end(), [outer](const auto& t) { return t.first != outer; });
    queries.clear();
    for (; test != end; ++test) queries.push_back({{}, test->second});
    // A point on the outer surface says nothing: its part tries the next.
    while (!queries.empty()) {
      std::erase_if(queries, [&](Query& q) {
        return !TryPoint(parts.TrianglesOf(closed[q.part]), q.tries++, corners,
                         q.point);
      });
      CastRays(queries, parts.TrianglesOf(closed[outer]), corners);
      std::erase_if(queries, [&around, outer](const Query& q) {
        if (q.touches) return false;
        if (q.inside) around[q.part].push_back(outer);
        return true;
      });
      for (Query& q : queries) q.touches = q.inside = false;
    }
  }
  std::vector<PartNest> nests(closed.size());
  for (std::size_t i = 0; i < closed.size(); ++i) {
    nests[i].depth = static_cast<uint32_t>(around[i].size());
    // Enclosing walls do not cross, so the innermost is the deepest.
    std::size_t deepest = 0;
    for (const uint32_t j : around[i]) {
      if (nests[i].enclosing == TriangleParts::kNoPart ||
          around[j].size() > deepest) {
        nests[i].enclosing = closed[j];
        deepest = around[j].size();
      }
    }
  }
  return nests;
}

}  // namespace geometry
