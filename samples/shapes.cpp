#include "shapes.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace obtgen {
namespace {

constexpr int32_t kBoxHalf[3] = {400, 300, 200};
constexpr int32_t kBoxStep = 50;

// FourthValues, so that a raytracer can give the parts different surfaces.
constexpr uint8_t kSideSurface = 1;
constexpr uint8_t kFloorSurface = 2;

constexpr int32_t kVaseHeight = 600;
constexpr int kVaseRings = 13;    // from the foot up to z = 0
constexpr int kVaseSegments = 8;  // around the quarter circle

// Radius of the vase at height fraction t: 0 at the foot, 1 at z = 0. Its
// slope is 0 at the belly, so the mirrored halves meet without a ridge.
double VaseRadius(double t) {
  const double s = std::sin(std::numbers::pi * t);
  return 230 - 90 * std::cos(std::numbers::pi * t) - 60 * s * s;
}

// Angle of point j of a ring, from the negative x axis towards the negative
// y axis.
double SegmentAngle(double j) {
  return std::numbers::pi / 2 * j / kVaseSegments;
}

}  // namespace

Mesh BoxCorner() {
  Mesh mesh;
  // One face for each axis: the one at -half on that axis. The faces at 0
  // lie in the mirror planes and come from no copy.
  for (int axis = 0; axis < 3; ++axis) {
    const int u_axis = (axis + 1) % 3;
    const int v_axis = (axis + 2) % 3;
    const int u_steps = kBoxHalf[u_axis] / kBoxStep;
    const int v_steps = kBoxHalf[v_axis] / kBoxStep;
    Direction outside = {0, 0, 0};
    outside[axis] = -1;
    const auto point = [&](int u, int v) {
      Point at;
      at[axis] = -kBoxHalf[axis];
      at[u_axis] = -u * kBoxStep;
      at[v_axis] = -v * kBoxStep;
      return mesh.AddPoint(at);
    };
    for (int u = 0; u < u_steps; ++u) {
      for (int v = 0; v < v_steps; ++v) {
        // Named one by one: the order of function arguments is unspecified,
        // and the point numbers must not depend on the compiler.
        const int32_t a = point(u, v);
        const int32_t b = point(u + 1, v);
        const int32_t c = point(u + 1, v + 1);
        const int32_t d = point(u, v + 1);
        mesh.AddQuad(a, b, c, d, outside,
                     axis == 2 ? kFloorSurface : kSideSurface);
      }
    }
  }
  return mesh;
}

Mesh QuarterVase() {
  Mesh mesh;
  // rings[k][j]: ring k from the foot, point j from the x axis (y = 0) to
  // the y axis (x = 0); the end points lie exactly in the mirror planes.
  std::vector<std::vector<int32_t>> rings(kVaseRings);
  for (int k = 0; k < kVaseRings; ++k) {
    const double t = static_cast<double>(k) / (kVaseRings - 1);
    const double radius = VaseRadius(t);
    const auto z = static_cast<int32_t>(std::lround(-kVaseHeight * (1 - t)));
    for (int j = 0; j <= kVaseSegments; ++j) {
      const double angle = SegmentAngle(j);
      auto x = static_cast<int32_t>(std::lround(-radius * std::cos(angle)));
      auto y = static_cast<int32_t>(std::lround(-radius * std::sin(angle)));
      if (j == kVaseSegments) x = 0;
      if (j == 0) y = 0;
      rings[k].push_back(mesh.AddPoint({x, y, z}));
    }
  }
  for (int k = 0; k + 1 < kVaseRings; ++k) {
    for (int j = 0; j < kVaseSegments; ++j) {
      // Outward is away from the z axis, through the middle of the quad.
      const double middle = SegmentAngle(j + 0.5);
      const Direction outside = {-std::cos(middle), -std::sin(middle), 0};
      mesh.AddQuad(rings[k][j], rings[k][j + 1], rings[k + 1][j + 1],
                   rings[k + 1][j], outside, kSideSurface);
    }
  }
  // The foot: a fan from the point on the z axis, facing down.
  const int32_t centre = mesh.AddPoint({0, 0, -kVaseHeight});
  for (int j = 0; j < kVaseSegments; ++j) {
    mesh.AddTriangle(centre, rings[0][j], rings[0][j + 1], {0, 0, -1},
                     kFloorSurface);
  }
  return mesh;
}

Mesh SphereOctant(int divisions, int32_t radius) {
  Mesh mesh;
  // Lattice point (i, j) of the face, k = divisions - i - j, lies in the
  // direction (-i, -j, -k): on the face's edges one of them is 0, and the
  // point lies exactly in a mirror plane.
  std::vector<std::vector<int32_t>> rows(divisions + 1);
  for (int i = 0; i <= divisions; ++i) {
    for (int j = 0; i + j <= divisions; ++j) {
      const double d[3] = {-static_cast<double>(i), -static_cast<double>(j),
                           -static_cast<double>(divisions - i - j)};
      const double scale =
          radius / std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
      Point at;
      for (int axis = 0; axis < 3; ++axis) {
        at[axis] = static_cast<int32_t>(std::lround(d[axis] * scale));
      }
      rows[i].push_back(mesh.AddPoint(at));
    }
  }
  const auto outside = [&mesh](int32_t a, int32_t b, int32_t c) {
    Direction sum{};
    for (const int32_t corner : {a, b, c}) {
      for (int axis = 0; axis < 3; ++axis) {
        sum[axis] += mesh.points()[corner][axis];
      }
    }
    return sum;
  };
  for (int i = 0; i < divisions; ++i) {
    for (int j = 0; i + j < divisions; ++j) {
      const int32_t a = rows[i][j];
      const int32_t b = rows[i + 1][j];
      const int32_t c = rows[i][j + 1];
      mesh.AddTriangle(a, b, c, outside(a, b, c), 0);
      if (i + j + 1 < divisions) {
        const int32_t d = rows[i + 1][j + 1];
        mesh.AddTriangle(b, d, c, outside(b, d, c), 0);
      }
    }
  }
  return mesh;
}

}  // namespace obtgen
