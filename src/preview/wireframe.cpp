#include "preview/preview.h"
#include "preview/preview_texts.h"

namespace preview {

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
  for (int64_t i = 0; i <= last_triangle_index_; ++i) {
    if (preview_file_.AtEndOfInput()) break;
    const int32_t first = preview_file_.ReadNumber();
    const int32_t second = preview_file_.ReadNumber();
    const int32_t third = preview_file_.ReadNumber();
    preview_file_.ReadNumber();  // the FourthValue means nothing here
    preview_file_.SkipToNextLine();
    if (IsLoadedPoint(first) && IsLoadedPoint(second) && IsLoadedPoint(third)) {
      const PreviewPoint& p1 = preview_point_table_[first];
      const PreviewPoint& p2 = preview_point_table_[second];
      const PreviewPoint& p3 = preview_point_table_[third];
      bitmap.MoveTo(p1.column, p1.row);
      bitmap.LineTo(p2.column, p2.row);
      bitmap.LineTo(p3.column, p3.row);
      bitmap.LineTo(p1.column, p1.row);
    }
    feedback.SetGaugeProgress(static_cast<int32_t>(i));
  }

  if (repaint_box) repaint_box();
  feedback.SetGaugeProgress(0);
  feedback.SetStatusText("");
}

}  // namespace preview
