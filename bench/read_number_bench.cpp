// How fast the text layer turns a file of integers into numbers: the
// converter's reading is little else.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "obt/pending_io_error.h"
#include "obt/text_reader.h"
#include "support/temp_dir.h"

namespace {

constexpr int64_t kLines = 1'000'000;

// Lines of three integers of the widths a mesh has: point coordinates and
// point numbers of a few digits, some negative.
const std::filesystem::path& NumberFile() {
  static const testing_support::TempDir dir;
  static const std::filesystem::path path = [] {
    std::filesystem::path file =
        std::filesystem::path(dir.path()) / "numbers.txt";
    std::ofstream out(file, std::ios::binary);
    uint32_t state = 12345;
    for (int64_t i = 0; i < kLines; ++i) {
      for (int n = 0; n < 3; ++n) {
        state = state * 1664525u + 1013904223u;
        const int32_t value = static_cast<int32_t>(state >> 12) - (1 << 19);
        out << value << (n < 2 ? " " : "\r\n");
      }
    }
    return file;
  }();
  return path;
}

// Reads the whole file again and again with `read_all(reader)`, which
// returns a sum of what it read and stands for `items` numbers or lines.
template <typename ReadAll>
void ReadFileAgain(benchmark::State& state, int64_t items,
                   const ReadAll& read_all) {
  const std::string path = NumberFile().string();
  const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
  obt::PendingIoError pending;
  obt::TextReader reader(pending);
  int64_t sum = 0;
  for (auto _ : state) {
    reader.OpenForReading(path);
    sum += read_all(reader);
    reader.CloseTextFile();
  }
  benchmark::DoNotOptimize(sum);
  if (pending.TakeIoError() != 0) state.SkipWithError("reading failed");
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetItemsProcessed(state.iterations() * items);
}

void BM_ReadNumber(benchmark::State& state) {
  ReadFileAgain(state, 3 * kLines, [](obt::TextReader& reader) {
    int64_t sum = 0;
    for (int64_t i = 0; i < 3 * kLines; ++i) sum += reader.ReadNumber();
    return sum;
  });
}
BENCHMARK(BM_ReadNumber)->Unit(benchmark::kMillisecond);

// The same file a line at a time, as the converter reads its points.
void BM_ReadNumberLine(benchmark::State& state) {
  ReadFileAgain(state, kLines, [](obt::TextReader& reader) {
    int64_t sum = 0;
    std::array<int32_t, 3> line{};
    for (int64_t i = 0; i < kLines; ++i) {
      reader.ReadNumberLine(line);
      sum += line[0] + line[1] + line[2];
    }
    return sum;
  });
}
BENCHMARK(BM_ReadNumberLine)->Unit(benchmark::kMillisecond);

}  // namespace
