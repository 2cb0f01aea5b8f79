// A whole conversion run: read, mirror into all eight octants, write.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "grid_object.h"
#include "obt/pending_io_error.h"
#include "run/conversion_job.h"
#include "support/temp_dir.h"
#include "work/feedback.h"
#include "work/run_inputs.h"

namespace {

constexpr int kOutputCopies = 9;  // the source object and eight copies

void BM_ConversionRun(benchmark::State& state) {
  const auto points = static_cast<int32_t>(state.range(0));
  const auto triangles = static_cast<int32_t>(state.range(1));
  const testing_support::TempDir dir;
  const std::filesystem::path source =
      std::filesystem::path(dir.path()) / "source.obt";
  const std::filesystem::path target =
      std::filesystem::path(dir.path()) / "target.obt";
  if (!obtgen::WriteGridObject(source.string(), points, triangles)) {
    state.SkipWithError("cannot write the source object");
    return;
  }

  obt::PendingIoError pending;
  run::ConversionJob job(pending);
  job.set_target_name(target.string());
  work::RunInputs inputs;
  inputs.source_name = source.string();
  inputs.target_octant_checked.fill(true);
  work::NullFeedback feedback;

  int64_t output_bytes = 0;
  for (auto _ : state) {
    // A target that exists is synced before it is replaced; measure the run
    // that makes a new file, as a fresh conversion does.
    state.PauseTiming();
    std::filesystem::remove(target);
    state.ResumeTiming();
    if (job.RunConversionJob(inputs, feedback) != run::RunResult::kSucceeded) {
      state.SkipWithError("the run did not succeed");
      break;
    }
    output_bytes = static_cast<int64_t>(std::filesystem::file_size(target));
  }
  const auto source_bytes =
      static_cast<int64_t>(std::filesystem::file_size(source));
  state.SetBytesProcessed(state.iterations() * (source_bytes + output_bytes));
  state.SetItemsProcessed(state.iterations() * kOutputCopies *
                          (int64_t{points} + triangles));
  state.counters["output_MB"] = static_cast<double>(output_bytes) / 1e6;
}
BENCHMARK(BM_ConversionRun)
    ->Args({10'000, 20'000})
    ->Args({100'000, 200'000})
    ->Unit(benchmark::kMillisecond);

}  // namespace
