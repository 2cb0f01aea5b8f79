// A whole preview (load, fit, draw, close) of the largest object the
// preview takes: 20,001 points and 1,000,000 triangles, in the window's
// 231 x 177 box. Run build/bin/obtmirror-preview-bench.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#include "obt/pending_io_error.h"
#include "obt/text_reader.h"
#include "preview/preview.h"
#include "work/feedback.h"

namespace {

constexpr int32_t kPointCount = 20001;
constexpr int32_t kTriangleCount = 1'000'000;
constexpr int32_t kGridColumns = 150;

enum class Shape { kMesh, kRandom };

void AppendNumbers(std::string& text, std::initializer_list<int32_t> numbers) {
  char digits[16];
  bool first = true;
  for (const int32_t number : numbers) {
    if (!first) text += ' ';
    first = false;
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, number);
    text.append(digits, end);
  }
  text += "\r\n";
}

// A bowl over a grid of 150 columns. The mesh shape covers its cells
// with two triangles each, over and over, as a finely meshed object does:
// short edges. The random shape joins points anywhere: long edges, the
// worst case for drawing.
std::string ObjectText(Shape shape) {
  std::string text = "QZ_OBT\r\n2.000000\r\n";
  AppendNumbers(text, {kPointCount});
  for (int32_t i = 0; i < kPointCount; ++i) {
    const int32_t column = i % kGridColumns;
    const int32_t row = i / kGridColumns;
    // A bowl: neighbouring points differ little in height.
    const int32_t across = column - kGridColumns / 2;
    const int32_t along = row - 66;
    AppendNumbers(
        text, {column * 10, row * 10, (across * across + along * along) / 20});
  }
  AppendNumbers(text, {kTriangleCount});
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> any_point(0, kPointCount - 1);
  const int32_t full_rows = kPointCount / kGridColumns - 1;
  const int32_t cells = (kGridColumns - 1) * full_rows;
  for (int32_t i = 0; i < kTriangleCount; ++i) {
    if (shape == Shape::kRandom) {
      AppendNumbers(text, {any_point(random), any_point(random),
                           any_point(random), i % 256});
      continue;
    }
    const int32_t cell = (i / 2) % cells;
    const int32_t corner =
        cell / (kGridColumns - 1) * kGridColumns + cell % (kGridColumns - 1);
    if (i % 2 == 0) {
      AppendNumbers(text, {corner, corner + 1, corner + kGridColumns, 0});
    } else {
      AppendNumbers(text, {corner + 1, corner + kGridColumns + 1,
                           corner + kGridColumns, 0});
    }
  }
  return text;
}

// The benchmark's files, written once, removed at exit.
class ObjectFiles {
 public:
  ObjectFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() /
                           "obtmirror-preview-bench-XXXXXX")
                              .string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot make a temporary directory");
    }
    directory_ = pattern;
  }
  ~ObjectFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }

  // The path of the file of `shape`, and its size in bytes.
  std::pair<std::string, int64_t> File(Shape shape) {
    const std::string path =
        directory_ + (shape == Shape::kMesh ? "/mesh.obt" : "/random.obt");
    std::error_code missing;
    if (!std::filesystem::exists(path, missing)) {
      const std::string text = ObjectText(shape);
      std::FILE* file = std::fopen(path.c_str(), "wb");
      if (file == nullptr ||
          std::fwrite(text.data(), 1, text.size(), file) != text.size() ||
          std::fclose(file) != 0) {
        throw std::runtime_error("cannot write " + path);
      }
    }
    return {path, static_cast<int64_t>(std::filesystem::file_size(path))};
  }

 private:
  std::string directory_;
};

ObjectFiles& Files() {
  static ObjectFiles files;
  return files;
}

void BM_WholePreview(benchmark::State& state) {
  const auto shape = static_cast<Shape>(state.range(0));
  const auto [path, size] = Files().File(shape);
  obt::PendingIoError pending;
  preview::Preview preview(pending);
  work::NullFeedback feedback;
  for (auto _ : state) {
    preview.PreviewLoader(path, 231, 177, feedback);
    if (preview.preview_error() != preview::kPreviewLoaded) {
      state.SkipWithError("the object did not load");
      break;
    }
    preview.DrawWireframe(feedback);
    preview.ClosePreviewFile();
    benchmark::DoNotOptimize(preview.preview_bitmap()->CountBlack());
  }
  state.SetBytesProcessed(state.iterations() * size);
  state.SetLabel(shape == Shape::kMesh ? "mesh" : "random triangles");
}
BENCHMARK(BM_WholePreview)
    ->Arg(static_cast<int>(Shape::kMesh))
    ->Arg(static_cast<int>(Shape::kRandom))
    ->Unit(benchmark::kMillisecond);

// For comparison: only reading the same file with the same text reader,
// every record as the preview reads it, nothing projected or drawn.
void BM_ReadOnly(benchmark::State& state) {
  const auto [path, size] = Files().File(Shape::kMesh);
  obt::PendingIoError pending;
  obt::TextReader reader(pending);
  for (auto _ : state) {
    reader.OpenForReading(path);
    reader.ReadLineText(6);
    reader.SkipToNextLine();
    reader.ReadLineText(8);
    reader.SkipToNextLine();
    int64_t sum = 0;
    const auto read_records = [&reader, &sum](int numbers) {
      const int32_t count = reader.ReadNumber();
      reader.SkipToNextLine();
      for (int32_t record = 0; record < count; ++record) {
        for (int i = 0; i < numbers; ++i) sum += reader.ReadNumber();
        reader.SkipToNextLine();
      }
    };
    read_records(3);
    read_records(4);
    benchmark::DoNotOptimize(sum);
    reader.CloseTextFile();
  }
  state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_ReadOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
