// The weld of a conversion's result: the eighth of a sphere mirrored into
// all eight octants, its points and then its triangles, as a run reads
// them.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "geometry/weld_stage.h"
#include "mirror/copy_plan.h"
#include "shapes.h"
#include "work/work_tables.h"

namespace {

void BM_WeldSphere(benchmark::State& state) {
  const obtgen::Mesh mesh =
      obtgen::SphereOctant(static_cast<int>(state.range(0)), 1'000'000);
  const auto points = static_cast<int32_t>(mesh.points().size());
  const auto triangles = static_cast<int32_t>(mesh.triangles().size());
  const mirror::CopyPlan plan = mirror::BuildCopyPlan(1, 255);
  const std::size_t copies = static_cast<std::size_t>(plan.copy_count) + 1;
  std::vector<work::TableEntry> triangle_table;
  for (const auto& triangle : mesh.triangles()) {
    triangle_table.push_back(triangle.corners);
  }
  geometry::WeldStage weld;

  for (auto _ : state) {
    benchmark::DoNotOptimize(
        weld.AfterPoints(plan, points, mesh.points().data()));
    benchmark::DoNotOptimize(
        weld.AfterTriangles(plan, points, triangles, triangle_table.data()));
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(copies) *
                          (int64_t{points} + triangles));
  state.counters["merged"] = static_cast<double>(weld.points_merged());
  state.counters["dropped"] = static_cast<double>(weld.triangles_dropped());
}
// 1413 divisions give the million points of the end-to-end benchmark.
BENCHMARK(BM_WeldSphere)->Arg(100)->Arg(1413)->Unit(benchmark::kMillisecond);

}  // namespace
