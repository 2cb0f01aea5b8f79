#include "picture/shaded_picture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "geometry/object_check.h"
#include "picture/palette.h"
#include "shapes.h"

namespace {

using picture::Rgb;
using picture::RgbImage;
using work::TableEntry;

// A cube in octant 1, its faces turned outward, or spoilt one way: turned
// inward, without one triangle of the top face, with a triangle twice or
// one turned around, or against the plane x = 0 that its copy mirrors.
struct Cube {
  enum class Kind { kOutward, kInverted, kHoled, kDoubled, kTurned, kInPlane };

  explicit Cube(Kind kind) {
    const int32_t right = kind == Kind::kInPlane ? 0 : -20;
    for (int corner = 0; corner < 8; ++corner) {
      object.points.push_back({corner & 1 ? right : -100,
                               corner & 2 ? -20 : -100,
                               corner & 4 ? -20 : -100});
    }
    // Each face as four corners around it, outward by the right hand.
    const int faces[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4},
                             {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    for (const auto& f : faces) {
      object.triangles.push_back({f[0], f[1], f[2]});
      object.triangles.push_back({f[0], f[2], f[3]});
    }
    if (kind == Kind::kInverted) {
      for (TableEntry& t : object.triangles) std::swap(t[0], t[1]);
    }
    // The first triangle of the top face (z = -20).
    if (kind == Kind::kHoled) {
      object.triangles.erase(object.triangles.begin() + 2);
    }
    if (kind == Kind::kDoubled) object.triangles.push_back(object.triangles[2]);
    if (kind == Kind::kTurned) {
      std::swap(object.triangles[2][0], object.triangles[2][1]);
    }
    targets = kind == Kind::kInPlane ? 2 : 0;
    object.point_count = static_cast<int32_t>(object.points.size());
    object.triangle_count = static_cast<int32_t>(object.triangles.size());
    object.fourth_values.assign(object.triangles.size(), 0);
  }

  picture::PictureScene Scene() const {
    return {object.points,
            object.triangles,
            {{}, mirror::BuildCopyPlan(1, targets)}};
  }
  geometry::FindingList Findings() const {
    return geometry::CheckObject(object,
                                 {{}, 1, mirror::BuildCopyPlan(1, targets)},
                                 picture::MarkedKindSet());
  }

  obt::ObtObject object;
  uint8_t targets = 0;
};

bool IsGrey(Rgb c) { return c.r == c.g && c.g == c.b; }

float Distance(float x, float y, picture::ScreenPoint a,
               picture::ScreenPoint b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float t = std::clamp(
      ((x - a.x) * dx + (y - a.y) * dy) / (dx * dx + dy * dy), 0.f, 1.f);
  return std::hypot(x - a.x - t * dx, y - a.y - t * dy);
}

TEST(ShadedPictureTest, ShowsOnlyWhatIsWrongInColour) {
  struct Case {
    const char* name;
    Cube::Kind kind;
    int32_t view;
    Rgb wanted;  // a colour that must be in the picture; grey for none
  };
  const Case cases[] = {
      {"closed and outward", Cube::Kind::kOutward, 0, {0, 0, 0}},
      {"closed and outward, front", Cube::Kind::kOutward, 1, {0, 0, 0}},
      {"turned inward, front", Cube::Kind::kInverted, 1,
       picture::kSeenFromBehind},
      {"with a hole", Cube::Kind::kHoled, 0, picture::kOpenEdge},
      {"a triangle twice", Cube::Kind::kDoubled, 0, picture::kCrowdedEdge},
      {"a triangle turned", Cube::Kind::kTurned, 0, picture::kSameWayEdge},
      {"a face in the plane", Cube::Kind::kInPlane, 0, picture::kInPlane},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Cube cube(c.kind);
    const picture::PictureScene scene = cube.Scene();
    const picture::ShadedPicture shaded(scene, picture::ViewOfKind(c.view), 800,
                                        600);
    const RgbImage image = shaded.Draw(cube.Findings());
    int64_t coloured = 0;
    int64_t wanted = 0;
    for (int32_t y = 0; y < image.height(); ++y) {
      for (int32_t x = 0; x < image.width(); ++x) {
        coloured += !IsGrey(image.At(x, y));
        wanted += image.At(x, y) == c.wanted;
      }
    }
    if (IsGrey(c.wanted)) {
      EXPECT_EQ(coloured, 0);
    } else {
      EXPECT_GT(wanted, 50);
    }
  }
}

TEST(ShadedPictureTest, DrawsOpenEdgesAlongTheHoleAndNowhereElse) {
  const Cube cube(Cube::Kind::kHoled);
  const picture::PictureScene scene = cube.Scene();
  for (const int32_t view : {0, 2}) {
    SCOPED_TRACE(view);
    const picture::ShadedPicture shaded(scene, picture::ViewOfKind(view), 800,
                                        600);
    picture::PixelBox legend;
    const RgbImage image = shaded.Draw(cube.Findings(), &legend);
    // The hole's corners: the removed triangle named 4, 5, 7.
    std::array<picture::ScreenPoint, 3> hole;
    for (int k = 0; k < 3; ++k) {
      hole[k] =
          shaded.frame().Project(cube.object.points[std::array{4, 5, 7}[k]]);
    }
    const float radius = shaded.sizes().open_edge;
    int64_t drawn = 0;
    for (int32_t y = 0; y < image.height(); ++y) {
      for (int32_t x = 0; x < image.width(); ++x) {
        if (legend.Holds(x, y)) continue;
        float nearest = 1e9f;
        for (int k = 0; k < 3; ++k) {
          nearest = std::min(nearest, Distance(x + 0.5f, y + 0.5f, hole[k],
                                               hole[(k + 1) % 3]));
        }
        const bool open = image.At(x, y) == picture::kOpenEdge;
        drawn += open;
        if (nearest < radius - 0.01f) {
          EXPECT_TRUE(open) << x << "," << y;
        }
        if (nearest > radius + 0.01f) {
          EXPECT_FALSE(open) << x << "," << y;
        }
      }
    }
    EXPECT_GT(drawn, 100);
  }
}

TEST(ShadedPictureTest, FitsEveryViewToThePicture) {
  const Cube cube(Cube::Kind::kOutward);
  const picture::PictureScene scene = cube.Scene();
  struct Case {
    picture::ViewTurn view;
    int32_t width;
    int32_t height;
  };
  const Case cases[] = {
      {picture::ViewOfKind(0), 800, 600},
      {picture::ViewOfKind(1), 800, 600},
      {picture::ViewOfKind(2), 300, 500},
      {picture::ViewOfKind(3), 231, 177},
      {picture::ViewFromAngles(30, 20), 1024, 768},
      {picture::ViewFromAngles(-135, -60), 640, 640},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const picture::ShadedPicture shaded(scene, c.view, c.width, c.height);
    const RgbImage image = shaded.Draw();
    int32_t left = c.width, right = -1, top = c.height, bottom = -1;
    for (int32_t y = 0; y < c.height; ++y) {
      for (int32_t x = 0; x < c.width; ++x) {
        if (image.At(x, y) == picture::kBackground) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
    const int32_t m = shaded.frame().margin();
    EXPECT_GE(std::min(left, top), m - 1);
    EXPECT_LE(right, c.width - m);
    EXPECT_LE(bottom, c.height - m);
    const bool across = left <= m + 1 && right >= c.width - 2 - m;
    const bool down = top <= m + 1 && bottom >= c.height - 2 - m;
    EXPECT_TRUE(across || down)
        << left << " " << right << " " << top << " " << bottom;
  }
}

// Large enough to be drawn on two threads: a closed sphere of all eight
// copies shows neither a face from behind nor a pixel left out between
// its triangles.
TEST(ShadedPictureTest, DrawsAClosedSurfaceWithoutSeams) {
  const obtgen::Mesh mesh = obtgen::SphereOctant(200, 100'000);
  std::vector<TableEntry> triangles;
  for (const auto& triangle : mesh.triangles()) {
    triangles.push_back(triangle.corners);
  }
  ASSERT_GE(triangles.size(), 1u << 15);
  const picture::PictureScene scene{
      mesh.points(), triangles,
      picture::ResultCopies({}, mirror::BuildCopyPlan(1, 254))};
  for (const int32_t view : {0, 1, 2, 3}) {
    SCOPED_TRACE(view);
    const picture::ShadedPicture shaded(scene, picture::ViewOfKind(view), 400,
                                        300);
    const RgbImage image = shaded.Draw();
    int64_t holes = 0;
    int64_t coloured = 0;
    for (int32_t y = 1; y + 1 < image.height(); ++y) {
      for (int32_t x = 1; x + 1 < image.width(); ++x) {
        coloured += !IsGrey(image.At(x, y));
        const auto drawn = [&image](int32_t cx, int32_t cy) {
          return !(image.At(cx, cy) == picture::kBackground);
        };
        holes += !drawn(x, y) && drawn(x - 1, y) && drawn(x + 1, y) &&
                 drawn(x, y - 1) && drawn(x, y + 1);
      }
    }
    EXPECT_EQ(coloured, 0);
    EXPECT_EQ(holes, 0);
  }
}

}  // namespace
