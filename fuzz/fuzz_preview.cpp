// A whole preview of arbitrary bytes as an OBT file: load, fit and draw in
// each of the four views and a few drawing-area sizes, with one Preview
// object for the process, as the program keeps it from one preview to the
// next.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "work/feedback.h"

namespace {

namespace fs = std::filesystem;

struct BoxSize {
  int32_t width;
  int32_t height;
};
constexpr std::array<BoxSize, 4> kBoxSizes = {
    {{231, 177}, {1, 1}, {2, 3}, {64, 48}}};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// One file in one scratch directory, rewritten for every input.
const std::string& PreviewFile() {
  static const std::string path = [] {
    std::string pattern =
        (fs::temp_directory_path() / "fuzz-preview-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp");
    return (fs::path(pattern) / "preview.obt").string();
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  {
    std::ofstream out(PreviewFile(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data),
              static_cast<std::streamsize>(size));
    if (!out) Fail("cannot write the preview file");
  }

  static obt::PendingIoError pending;
  static preview::Preview preview(pending);
  work::NullFeedback feedback;
  for (int32_t view = 0; view < 4; ++view) {
    for (const BoxSize& box : kBoxSizes) {
      preview.set_view_kind(view);
      preview.PreviewLoader(PreviewFile(), box.width, box.height, feedback);
      preview.DrawWireframe(feedback);
      const bool loaded = preview.preview_error() == preview::kPreviewLoaded;
      if (loaded) {
        const preview::PreviewBitmap* bitmap = preview.preview_bitmap();
        if (bitmap == nullptr || bitmap->width() != box.width ||
            bitmap->height() != box.height) {
          Fail("a loaded preview drew no bitmap of the box's size");
        }
      }
      preview.ClosePreviewFile();
      if (preview.preview_file_open()) Fail("the preview file stayed open");
    }
  }
  return 0;
}
