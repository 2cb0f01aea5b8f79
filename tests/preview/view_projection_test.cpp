#include "preview/view_projection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

namespace preview {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct ProjectionCase {
  int32_t view_kind;
  int32_t x, y, z;
  PlanePoint expected;
};

void ExpectProjections(const std::vector<ProjectionCase>& cases) {
  for (const ProjectionCase& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "view " << c.view_kind << " point (" << c.x << ", " << c.y
                 << ", " << c.z << ")");
    const PlanePoint got = ProjectPoint(c.x, c.y, c.z, 231, 177, c.view_kind);
    EXPECT_EQ(got.u, c.expected.u);
    EXPECT_EQ(got.v, c.expected.v);
  }
}

TEST(ProjectPointTest, ObliqueView) {
  ExpectProjections({
      {kView3D, 0, 0, 0, {0, 0}},
      {kView3D, 10, 0, 0, {10, 0}},
      {kView3D, 0, 0, 10, {0, 7}},
      {kView3D, 0, 10, 0, {-7, 7}},
      {kView3D, 0, -10, 0, {7, -7}},
      {kView3D, 0, 1, 0, {0, 0}},
      {kView3D, 0, 3, 0, {-2, 2}},
      {kView3D, 1, 1, 1, {0, 1}},
      {kView3D, 100, 50, 20, {64, 49}},
      // Trunc goes toward zero: -4.88 and -5.62.
      {kView3D, -7, -3, -5, {-4, -5}},
  });
}

TEST(ProjectPointTest, AxisViews) {
  ExpectProjections({
      {kViewFront, 5, 6, 7, {120, 95}},
      {kViewTop, 5, 6, 7, {120, 94}},
      {kViewRight, 5, 6, 7, {121, 95}},
  });
  // The box is halved toward zero, and only the axis views are offset.
  EXPECT_EQ(ProjectPoint(0, 0, 0, 9, -9, kViewFront), (PlanePoint{4, -4}));
  EXPECT_EQ(ProjectPoint(0, 0, 0, 9, -9, kView3D), (PlanePoint{0, 0}));
}

// Beyond the 32-bit range the projection gives the range's nearest end.
TEST(ProjectPointTest, SaturatesAtTheIntegerRange) {
  ExpectProjections({
      {kViewFront, kMax, 0, kMax, {kMax, kMax}},
      {kViewFront, kMin, 0, kMin, {kMin + 115, kMin + 88}},
      {kViewTop, kMax - 115, kMax - 87, 0, {kMax, kMax}},
      {kViewRight, 0, kMax - 120, kMax - 87, {kMax - 5, kMax}},
      {kView3D, kMax, kMin, 0, {kMax, -1518500249}},
      {kView3D, kMin, kMax, 0, {kMin, 1518500248}},
      {kView3D, 0, kMax, kMax, {-1518500248, kMax}},
      {kView3D, 0, 0, kMin, {0, -1503238553}},
      {kView3D, 0, kMin, kMin, {1518500249, kMin}},
      {kView3D, kMax, kMax, kMax, {628983398, kMax}},
      {kView3D, kMin, kMin, kMin, {-628983398, kMin}},
  });
}

}  // namespace
}  // namespace preview
