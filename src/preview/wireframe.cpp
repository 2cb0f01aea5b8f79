#include <array>

#include "preview/outline_drawer.h"
#include "preview/preview.h"
#include "preview/preview_texts.h"

namespace preview {
namespace {

// From this many triangles on, a helper thread draws half of them.
constexpr int64_t kHelpedTriangles = 50000;

}  // namespace

void Preview::DrawWireframe(work::Feedback& feedback,
                            const std::function<void()>& repaint_box) {
  if (preview_error_ != kPreviewLoaded) return;

  preview_bitmap_.reset();
  preview_bitmap_ = std::make_unique<PreviewBitmap>(box_width_, box_height_);
  PreviewBitmap& bitmap = *preview_bitmap_;

  feedback.SetStatusText(kStatusDrawingTriangles);
  if (last_triangle_index_ >= 0) feedback.SetGaugeMaximum(last_triangle_index_);
  // 64-bit, since the last index may be the largest 32-bit value. Past the
  // end of the file every triangle reads as 0 0 0, which draws nothing, so a
  // short file that claims two billion triangles ends at once instead of
  // reading zeros for minutes.
  OutlineDrawer drawer(bitmap, last_triangle_index_ >= kHelpedTriangles);
  std::array<int32_t, 4> line{};
  for (int64_t i = 0; i <= last_triangle_index_; ++i) {
    if (preview_file_.AtEndOfInput()) break;
    // The FourthValue, last, means nothing here.
    preview_file_.ReadNumberLine(line);
    const auto [first, second, third, fourth] = line;
    if (IsLoadedPoint(first) && IsLoadedPoint(second) && IsLoadedPoint(third)) {
      drawer.Add(preview_point_table_[first], preview_point_table_[second],
                 preview_point_table_[third]);
    }
    feedback.SetGaugeProgress(static_cast<int32_t>(i));
  }
  drawer.Finish();

  if (repaint_box) repaint_box();
  feedback.SetGaugeProgress(0);
  feedback.SetStatusText("");
}

}  // namespace preview
