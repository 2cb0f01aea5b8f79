// The cut at the mirror planes: the eighth of a sphere moved a tenth of its
// radius past the centre on every axis, so that it crosses all three
// planes, at two sizes (the time grows with the object), and the same
// sphere in its octant, which crosses none.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "geometry/plane_cut.h"
#include "mirror/copy_plan.h"
#include "shapes.h"

namespace {

constexpr int32_t kRadius = 1'000'000;

obt::ObtObject SphereObject(int divisions, int32_t shift) {
  const obtgen::Mesh mesh = obtgen::SphereOctant(divisions, kRadius);
  obt::ObtObject object;
  for (const work::TableEntry& p : mesh.points()) {
    object.points.push_back({p[0] + shift, p[1] + shift, p[2] + shift});
  }
  for (const auto& triangle : mesh.triangles()) {
    object.triangles.push_back(triangle.corners);
    object.fourth_values.push_back(0);
  }
  object.point_count = static_cast<int32_t>(object.points.size());
  object.triangle_count = static_cast<int32_t>(object.triangles.size());
  return object;
}

void BM_CutSphere(benchmark::State& state) {
  const obt::ObtObject sphere = SphereObject(
      static_cast<int>(state.range(0)), static_cast<int32_t>(state.range(1)));
  const mirror::CopyPlan plan = mirror::BuildCopyPlan(1, 255);
  geometry::CutCounts counts;
  for (auto _ : state) {
    state.PauseTiming();
    obt::ObtObject object = sphere;
    state.ResumeTiming();
    counts = geometry::CutForRun(object, {}, 1, plan);
    benchmark::DoNotOptimize(object.points.data());
  }
  state.SetItemsProcessed(state.iterations() *
                          static_cast<int64_t>(sphere.triangles.size()));
  state.counters["cut"] = static_cast<double>(counts.cut);
}
// 1413 divisions give the million points of the end-to-end benchmark.
BENCHMARK(BM_CutSphere)
    ->Args({500, kRadius / 10})
    ->Args({1413, kRadius / 10})
    ->Args({1413, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
