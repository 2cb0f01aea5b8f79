// The cut at the mirror planes on random objects made here: nothing is left
// beyond a plane, every new point lies in its plane, the order of the
// planes changes nothing, a closed surface stays closed up to the planes,
// the part kept is the part on the kept side within rounding, and an
// object wholly on the kept side is left as it was.
#include "geometry/plane_cut.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace {

using geometry::CutPlanes;
using Point = std::array<double, 3>;

struct Shape {
  obt::ObtObject object;
  mirror::MirrorCentre centre;
  CutPlanes planes;
};

// A closed box of 12 triangles, wound outward, around a random place near
// the centre, and random planes with random kept sides.
Shape RandomBox(std::mt19937& random) {
  std::uniform_int_distribution<int> coordinate(-900, 900);
  std::uniform_int_distribution<int> size(50, 2000);
  std::uniform_int_distribution<int> keep(-1, 1);
  Shape shape;
  shape.centre = {coordinate(random), coordinate(random), coordinate(random)};
  std::array<int, 3> low{};
  std::array<int, 3> high{};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    low[axis] = coordinate(random);
    high[axis] = low[axis] + size(random);
    shape.planes.keep[axis] = keep(random);
  }
  for (int corner = 0; corner < 8; ++corner) {
    shape.object.points.push_back({(corner & 1) ? high[0] : low[0],
                                   (corner & 2) ? high[1] : low[1],
                                   (corner & 4) ? high[2] : low[2]});
  }
  shape.object.triangles = {{0, 2, 1}, {1, 2, 3}, {4, 5, 6}, {5, 7, 6},
                            {0, 1, 4}, {1, 5, 4}, {2, 6, 3}, {3, 6, 7},
                            {0, 4, 2}, {2, 4, 6}, {1, 3, 5}, {3, 7, 5}};
  shape.object.fourth_values.assign(12, 7);
  shape.object.point_count = 8;
  shape.object.triangle_count = 12;
  return shape;
}

double Relative(const obt::ObtObject& object, int32_t point, std::size_t axis,
                const mirror::MirrorCentre& centre) {
  const int32_t c = axis == 0 ? centre.x : axis == 1 ? centre.y : centre.z;
  return static_cast<double>(
             object.points[static_cast<std::size_t>(point)][axis]) -
         c;
}

// Twice the vector area of the triangle a, b, c.
Point Area(const Point& a, const Point& b, const Point& c) {
  const Point u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  const Point v{c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
          u[0] * v[1] - u[1] * v[0]};
}

// The vector area of what the object keeps, clipped here in floating point
// as a check of the exact cut.
Point KeptArea(const Shape& shape) {
  Point total{};
  for (const work::TableEntry& t : shape.object.triangles) {
    std::vector<Point> polygon;
    for (const int32_t p : t) {
      polygon.push_back({Relative(shape.object, p, 0, shape.centre),
                         Relative(shape.object, p, 1, shape.centre),
                         Relative(shape.object, p, 2, shape.centre)});
    }
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const int keep = shape.planes.keep[axis];
      if (keep == 0 || polygon.empty()) continue;
      std::vector<Point> kept;
      for (std::size_t i = 0; i < polygon.size(); ++i) {
        const Point& p = polygon[(i + polygon.size() - 1) % polygon.size()];
        const Point& q = polygon[i];
        const double sp = keep * p[axis];
        const double sq = keep * q[axis];
        if ((sp < 0) != (sq < 0)) {
          const double s = sp / (sp - sq);
          kept.push_back({p[0] + s * (q[0] - p[0]), p[1] + s * (q[1] - p[1]),
                          p[2] + s * (q[2] - p[2])});
        }
        if (sq >= 0) kept.push_back(q);
      }
      polygon.swap(kept);
    }
    for (std::size_t k = 1; k + 1 < polygon.size(); ++k) {
      const Point a = Area(polygon[0], polygon[k], polygon[k + 1]);
      for (std::size_t axis = 0; axis < 3; ++axis) total[axis] += a[axis];
    }
  }
  return total;
}

TEST(PlaneCutTest, RandomBoxesAreCutExactlyAndStayClosedUpToThePlanes) {
  std::mt19937 random(20261211);
  int cut_boxes = 0;
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE(round);
    const Shape shape = RandomBox(random);
    Shape cut = shape;
    const geometry::CutCounts counts =
        geometry::CutAtPlanes(cut.object, cut.centre, cut.planes);
    ASSERT_EQ(counts.bad_triangle, -1);
    if (counts.cut > 0) ++cut_boxes;

    // The order of the planes changes nothing.
    std::array<int, 3> order = {0, 1, 2};
    while (std::next_permutation(order.begin(), order.end())) {
      Shape again = shape;
      again.planes.order = order;
      geometry::CutAtPlanes(again.object, again.centre, again.planes);
      EXPECT_EQ(again.object.points, cut.object.points);
      EXPECT_EQ(again.object.triangles, cut.object.triangles);
    }

    // Nothing beyond a plane; the new points, last, lie in one.
    const std::size_t first_new = cut.object.points.size() -
                                  static_cast<std::size_t>(counts.points_added);
    for (std::size_t i = 0; i < cut.object.points.size(); ++i) {
      bool in_plane = false;
      for (std::size_t axis = 0; axis < 3; ++axis) {
        const double d =
            Relative(cut.object, static_cast<int32_t>(i), axis, cut.centre);
        EXPECT_GE(cut.planes.keep[axis] * d, 0) << i;
        in_plane |= cut.planes.keep[axis] != 0 && d == 0;
      }
      if (i >= first_new) {
        EXPECT_TRUE(in_plane) << i;
      }
    }

    // Every edge is used once each way, but where it lies in a plane.
    std::map<std::pair<int32_t, int32_t>, int> uses;
    for (const work::TableEntry& t : cut.object.triangles) {
      for (std::size_t k = 0; k < 3; ++k) ++uses[{t[k], t[(k + 1) % 3]}];
    }
    for (const auto& [edge, count] : uses) {
      bool in_plane = false;
      for (std::size_t axis = 0; axis < 3; ++axis) {
        in_plane |= cut.planes.keep[axis] != 0 &&
                    Relative(cut.object, edge.first, axis, cut.centre) == 0 &&
                    Relative(cut.object, edge.second, axis, cut.centre) == 0;
      }
      const auto back = uses.find({edge.second, edge.first});
      const int reverse = back == uses.end() ? 0 : back->second;
      if (!in_plane) {
        EXPECT_EQ(count, reverse) << edge.first << "-" << edge.second;
      }
      EXPECT_EQ(count, 1);
    }

    // What is kept is the part on the kept side, within half a unit a
    // coordinate: its vector area differs by at most the edges' length.
    const Point exact = KeptArea(shape);
    Shape kept = cut;
    kept.planes = CutPlanes{};
    const Point made = KeptArea(kept);
    double slack = 0;
    for (const work::TableEntry& t : cut.object.triangles) {
      for (std::size_t k = 0; k < 3; ++k) {
        double length = 0;
        for (std::size_t axis = 0; axis < 3; ++axis) {
          const double d =
              Relative(cut.object, t[k], axis, cut.centre) -
              Relative(cut.object, t[(k + 1) % 3], axis, cut.centre);
          length += d * d;
        }
        slack += 2 * std::sqrt(length);
      }
    }
    for (std::size_t axis = 0; axis < 3; ++axis) {
      EXPECT_NEAR(made[axis], exact[axis], slack + 1) << axis;
    }
  }
  EXPECT_GT(cut_boxes, 100);
}

TEST(PlaneCutTest, OnlyPlanesTheObjectCrossesAreCut) {
  std::mt19937 random(7);
  for (int round = 0; round < 50; ++round) {
    Shape shape = RandomBox(random);
    // Moved to the positive side of every plane, the box touching some.
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const int32_t c = axis == 0   ? shape.centre.x
                        : axis == 1 ? shape.centre.y
                                    : shape.centre.z;
      int32_t least = shape.object.points[0][axis];
      for (const work::TableEntry& p : shape.object.points) {
        least = std::min(least, p[axis]);
      }
      const int32_t shift = c - least + static_cast<int32_t>(round % 2);
      for (work::TableEntry& p : shape.object.points) p[axis] += shift;
    }
    const obt::ObtObject before = shape.object;
    // Below every plane, the box lies in another octant: nothing is cut.
    EXPECT_FALSE(
        geometry::PlanesToCut(shape.object, shape.centre, {1, 1, 1}, 7).Any());
    EXPECT_FALSE(
        geometry::PlanesToCut(shape.object, shape.centre, {2, 2, 2}, 7).Any());
    shape.planes.keep = {1, 1, 1};
    const geometry::CutCounts counts =
        geometry::CutAtPlanes(shape.object, shape.centre, shape.planes);
    EXPECT_EQ(counts.cut + counts.dropped + counts.points_added, 0);
    EXPECT_EQ(shape.object.points, before.points);
    EXPECT_EQ(shape.object.triangles, before.triangles);
  }
}

}  // namespace
