// A whole preview of arbitrary bytes as an OBT file: load, fit and draw in
// each of the four views and a few drawing-area sizes, with one Preview
// object for the process, as the program keeps it from one preview to the
// next.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "work/feedback.h"

namespace {

using fuzzing::Fail;
using fuzzing::MakeScratchDir;
using fuzzing::WriteBytes;

struct BoxSize {
  int32_t width;
  int32_t height;
};
constexpr std::array<BoxSize, 4> kBoxSizes = {
    {{231, 177}, {1, 1}, {2, 3}, {64, 48}}};

// One file in one scratch directory, rewritten for every input.
const std::string& PreviewFile() {
  static const std::string path =
      (MakeScratchDir("fuzz-preview") / "preview.obt").string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  WriteBytes(PreviewFile(), {reinterpret_cast<const char*>(data), size});

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
