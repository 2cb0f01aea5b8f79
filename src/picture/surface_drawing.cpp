#include "picture/surface_drawing.h"

#include <array>
#include <cmath>
#include <vector>

#include "picture/palette.h"
#include "work/run_parts.h"

namespace picture {
namespace {

// Fewer entries are drawn sooner than a thread is started.
constexpr std::size_t kHelperFrom = 1 << 15;

constexpr double kEdgeOn = 1.0 / 64;

std::size_t PartsFor(std::size_t entries) {
  return entries >= kHelperFrom ? 2 : 1;
}

std::size_t First(std::size_t count, std::size_t part, std::size_t parts) {
  return count * part / parts;
}

}  // namespace

Reach ReachOf(const PictureScene& scene, const ViewTurn& view) {
  const std::size_t count = scene.points.size();
  const std::size_t parts = PartsFor(count * scene.copies.count());
  std::vector<Reach> reaches(parts);
  work::RunParts(parts, [&](std::size_t part) {
    Reach& mine = reaches[part];
    for (std::size_t copy = 0; copy < scene.copies.count(); ++copy) {
      for (std::size_t i = First(count, part, parts);
           i < First(count, part + 1, parts); ++i) {
        mine.Add(view, scene.copies.PointOf(copy, scene.points[i]));
      }
    }
  });
  Reach reach;
  for (const Reach& part : reaches) reach.Add(part);
  return reach;
}

DepthRaster DrawSurface(const PictureScene& scene, const Frame& frame) {
  const std::size_t point_count = scene.points.size();
  const std::size_t triangle_count = scene.triangles.size();
  const std::size_t parts = PartsFor(triangle_count);
  std::vector<DepthRaster> rasters;
  for (std::size_t part = 0; part < parts; ++part) {
    rasters.emplace_back(frame.width(), frame.height());
  }
  std::vector<ScreenPoint> projected(point_count);
  for (std::size_t copy = 0; copy < scene.copies.count(); ++copy) {
    work::RunParts(parts, [&](std::size_t part) {
      for (std::size_t i = First(point_count, part, parts);
           i < First(point_count, part + 1, parts); ++i) {
        projected[i] =
            frame.Project(scene.copies.PointOf(copy, scene.points[i]));
      }
    });
    const auto first_number = static_cast<uint32_t>(copy * triangle_count);
    work::RunParts(parts, [&](std::size_t part) {
      DepthRaster& mine = rasters[part];
      for (std::size_t t = First(triangle_count, part, parts);
           t < First(triangle_count, part + 1, parts); ++t) {
        const work::TableEntry corners =
            scene.copies.CornersOf(copy, scene.triangles[t]);
        if (static_cast<uint32_t>(corners[0]) >= point_count ||
            static_cast<uint32_t>(corners[1]) >= point_count ||
            static_cast<uint32_t>(corners[2]) >= point_count) {
          continue;
        }
        mine.Draw(projected[static_cast<std::size_t>(corners[0])],
                  projected[static_cast<std::size_t>(corners[1])],
                  projected[static_cast<std::size_t>(corners[2])],
                  first_number + static_cast<uint32_t>(t));
      }
    });
  }
  for (std::size_t part = 1; part < parts; ++part) {
    rasters[0].MergeFrom(rasters[part]);
  }
  return std::move(rasters[0]);
}

int64_t ColourSurface(const PictureScene& scene, const ViewTurn& view,
                      const DepthRaster& raster, RgbImage& image) {
  const std::size_t triangle_count = scene.triangles.size();
  std::vector<bool> behind_seen(triangle_count * scene.copies.count());
  int64_t behind = 0;
  uint32_t last = DepthRaster::kNone;
  Rgb last_colour = kBackground;
  for (int32_t y = 0; y < raster.height(); ++y) {
    for (int32_t x = 0; x < raster.width(); ++x) {
      const uint32_t number = raster.NumberAt(x, y);
      if (number == DepthRaster::kNone) continue;
      if (number != last) {
        last = number;
        const std::size_t copy = number / triangle_count;
        const std::size_t t = number % triangle_count;
        // Drawn triangles name points the object holds.
        const auto corners = *scene.CornersOf(copy, t);
        std::array<double, 3> ab, ac;
        for (std::size_t k = 0; k < 3; ++k) {
          ab[k] = static_cast<double>(corners[1][k]) - corners[0][k];
          ac[k] = static_cast<double>(corners[2][k]) - corners[0][k];
        }
        const Direction normal{ab[1] * ac[2] - ab[2] * ac[1],
                               ab[2] * ac[0] - ab[0] * ac[2],
                               ab[0] * ac[1] - ab[1] * ac[0]};
        const double length = std::sqrt(Dot(normal, normal));
        const double light = length > 0 ? Dot(normal, view.toward) / length : 1;
        // A face seen within a degree of edge-on shows only along an
        // outline, where rounding may let its far side peep past the faces
        // in front: it counts as seen from outside.
        if (light > -kEdgeOn) {
          last_colour = OutsideShade(static_cast<float>(light));
        } else {
          last_colour = BehindShade(static_cast<float>(-light));
          if (!behind_seen[number]) {
            behind_seen[number] = true;
            ++behind;
          }
        }
      }
      image.Set(x, y, last_colour);
    }
  }
  return behind;
}

}  // namespace picture
