// The shaded picture of the million-point sphere mirrored into all eight
// octants (eight copies of its two million triangles), at 1024 x 768: the
// whole drawing, and its stages on their own.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "mirror/copy_plan.h"
#include "picture/depth_raster.h"
#include "picture/shaded_picture.h"
#include "picture/surface_drawing.h"
#include "shapes.h"

namespace {

constexpr int32_t kWidth = 1024;
constexpr int32_t kHeight = 768;

// 1413 divisions give the million points of the end-to-end benchmark.
const obtgen::Mesh& Sphere() {
  static const obtgen::Mesh mesh = obtgen::SphereOctant(1413, 1'000'000);
  return mesh;
}

struct SphereScene {
  SphereScene() {
    for (const auto& triangle : Sphere().triangles()) {
      triangles.push_back(triangle.corners);
    }
    scene.points = Sphere().points();
    scene.triangles = triangles;
    // The sphere lies in octant 1; the seven others take a copy each.
    scene.copies = picture::ResultCopies({}, mirror::BuildCopyPlan(1, 254));
  }
  std::vector<work::TableEntry> triangles;
  picture::PictureScene scene;
};

const picture::PictureScene& Scene() {
  static const SphereScene sphere;
  return sphere.scene;
}

int64_t Triangles() {
  return static_cast<int64_t>(Scene().triangles.size() *
                              Scene().copies.count());
}

void BM_ShadedSphere(benchmark::State& state) {
  const picture::ShadedPicture shaded(Scene(), picture::ViewOfKind(0), kWidth,
                                      kHeight);
  for (auto _ : state) {
    const picture::RgbImage image = shaded.Draw(geometry::FindingList());
    benchmark::DoNotOptimize(image.bytes());
  }
  state.SetItemsProcessed(state.iterations() * Triangles());
}
BENCHMARK(BM_ShadedSphere)->Unit(benchmark::kMillisecond);

void BM_ShadedSphereReach(benchmark::State& state) {
  for (auto _ : state) {
    const picture::Reach reach =
        picture::ReachOf(Scene(), picture::ViewOfKind(0));
    benchmark::DoNotOptimize(reach.low[0]);
  }
}
BENCHMARK(BM_ShadedSphereReach)->Unit(benchmark::kMillisecond);

void BM_ShadedSphereRaster(benchmark::State& state) {
  const picture::ShadedPicture shaded(Scene(), picture::ViewOfKind(0), kWidth,
                                      kHeight);
  for (auto _ : state) {
    const picture::DepthRaster raster =
        picture::DrawSurface(Scene(), shaded.frame());
    benchmark::DoNotOptimize(raster.NumberAt(0, 0));
  }
  state.SetItemsProcessed(state.iterations() * Triangles());
}
BENCHMARK(BM_ShadedSphereRaster)->Unit(benchmark::kMillisecond);

}  // namespace
