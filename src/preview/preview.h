#ifndef OBTMIRROR_PREVIEW_PREVIEW_H_
#define OBTMIRROR_PREVIEW_PREVIEW_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "obt/pending_io_error.h"
#include "obt/text_reader.h"
#include "preview/preview_bitmap.h"
#include "preview/real6.h"
#include "work/feedback.h"

namespace preview {

// The highest LastPointIndex a load takes, and the size of the point table,
// which holds an entry for every index from 0 to that one.
inline constexpr int32_t kMaxLastPointIndex = 20000;
inline constexpr std::size_t kPreviewPointTableSize = kMaxLastPointIndex + 1;

// PreviewError values.
inline constexpr uint8_t kPreviewLoaded = 0;
// The path is empty or the file cannot be opened for reading.
inline constexpr uint8_t kPreviewNotOpened = 1;
// The magic line or the version line is not accepted.
inline constexpr uint8_t kPreviewNotObt = 2;
// More points than the table holds.
inline constexpr uint8_t kPreviewTooManyPoints = 3;

// An entry of the point table: while a load runs, a projected (u, v) pair;
// after it, the pixel of the point in the drawing area.
struct PreviewPoint {
  int32_t column = 0;
  int32_t row = 0;

  friend bool operator==(const PreviewPoint&, const PreviewPoint&) = default;
};

// The preview of one OBT file: the loader reads, projects and fits the
// points and leaves the file at the first triangle line; DrawWireframe then
// reads the triangles and draws each one as it comes into a new bitmap, so
// triangles are never held.
//
// One object lives as long as the program and keeps its state from one
// preview to the next: the point table is never cleared, and the bitmap
// stays until the next drawing replaces it.
class Preview {
 public:
  // The preview file shares the program's pending I/O error.
  explicit Preview(obt::PendingIoError& pending);

  // No error and the oblique view, as at program start.
  void InitPreview();

  // Loads `path` for a drawing area of box_width x box_height and sets
  // preview_error(). A load that gets through (kPreviewLoaded) fills the
  // table, the counts and the scale, and leaves the file open at the first
  // triangle line; one that fails leaves the table and the bitmap as they
  // were (a rejected point count stays in last_point_index()) and its file
  // closed. Read errors after the file is open are not looked at: a
  // malformed or missing number reads as 0 and loading goes on.
  void PreviewLoader(const std::string& path, int32_t box_width,
                     int32_t box_height, work::Feedback& feedback);

  // After a load that got through: replaces the bitmap with a white one of
  // the box's size, reads every triangle line and draws its outline.
  // `repaint_box` runs after the last triangle, before the gauge and the
  // status line are reset: the front end shows the new bitmap there. A
  // triangle that names a point this load did not read is left out. Does
  // nothing when the load failed.
  void DrawWireframe(work::Feedback& feedback,
                     const std::function<void()>& repaint_box = nullptr);

  // Closes the file a successful load left open; does nothing otherwise.
  void ClosePreviewFile();

  int32_t view_kind() const { return view_kind_; }
  // kView3D .. kViewRight; takes effect at the next load.
  void set_view_kind(int32_t view_kind) { view_kind_ = view_kind; }

  uint8_t preview_error() const { return preview_error_; }
  std::span<const PreviewPoint> preview_point_table() const {
    return preview_point_table_;
  }
  int32_t last_point_index() const { return last_point_index_; }
  int32_t last_triangle_index() const { return last_triangle_index_; }
  const Real6& preview_scale() const { return preview_scale_; }
  // Null until the first drawing.
  const PreviewBitmap* preview_bitmap() const { return preview_bitmap_.get(); }
  bool preview_file_open() const { return preview_file_.IsOpen(); }

 private:
  // Ends a load whose file is open but unusable; its file is closed so that
  // the next load does not bind a new file over it.
  void RejectLoad(uint8_t error);
  void ReadPoints(work::Feedback& feedback);
  void FitPoints();
  PreviewPoint ReadProjectedPoint();
  // Whether `number` names a point of the last load. The table bound is
  // checked as well, since InitPreview clears the error of a load that
  // rejected its point count without touching that count.
  bool IsLoadedPoint(int32_t number) const {
    return number >= 0 && number <= last_point_index_ &&
           number <= kMaxLastPointIndex;
  }

  obt::PendingIoError& pending_;
  obt::TextReader preview_file_;
  std::vector<PreviewPoint> preview_point_table_;
  int32_t last_point_index_ = 0;
  int32_t last_triangle_index_ = 0;
  Real6 preview_scale_;
  uint8_t preview_error_ = kPreviewLoaded;
  int32_t view_kind_ = 0;
  std::unique_ptr<PreviewBitmap> preview_bitmap_;

  // The drawing area of the last load, and the extremes of its projection.
  int32_t box_width_ = 0;
  int32_t box_height_ = 0;
  int32_t min_u_ = 0;
  int32_t max_u_ = 0;
  int32_t min_v_ = 0;
  int32_t max_v_ = 0;
};

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_PREVIEW_H_
