#include <array>
#include <limits>

#include "obt/obt_format.h"
#include "preview/extended.h"
#include "preview/preview.h"
#include "preview/preview_texts.h"
#include "preview/view_projection.h"

namespace preview {
namespace {

// The preview reads only as much of the two header lines as the literals
// hold; whatever follows on the same line is ignored.
constexpr std::size_t kMagicLength = obt::kMagicLine.size();
constexpr std::size_t kVersionLength = obt::kVersion1Line.size();

// A count minus one. The one count whose predecessor is not a 32-bit value
// gives the range's lower end: a count of "none at all".
int32_t LastIndex(int32_t count) { return SaturateToInt32(int64_t{count} - 1); }

// The factor that stretches `extent` over `span` pixels, or 1 for an axis
// without extent. The extent is a 64-bit difference of 32-bit values.
Real6 AxisScale(int32_t span, int32_t low, int32_t high) {
  const int64_t extent = int64_t{high} - low;
  if (extent == 0) return Real6(kUnitFactor);
  return Real6::FromExtended(static_cast<Extended>(span) /
                             static_cast<Extended>(extent));
}

}  // namespace

Preview::Preview(obt::PendingIoError& pending)
    : pending_(pending),
      preview_file_(pending),
      preview_point_table_(kPreviewPointTableSize) {}

void Preview::InitPreview() {
  preview_error_ = kPreviewLoaded;
  view_kind_ = 0;
}

void Preview::PreviewLoader(const std::string& path, int32_t box_width,
                            int32_t box_height, work::Feedback& feedback) {
  pending_.TakeIoError();
  if (path.empty()) {
    preview_error_ = kPreviewNotOpened;
    return;
  }
  box_width_ = box_width;
  box_height_ = box_height;

  preview_file_.OpenForReading(path);
  if (pending_.TakeIoError() != 0 || !preview_file_.IsOpen()) {
    preview_error_ = kPreviewNotOpened;
    return;
  }
  preview_error_ = kPreviewLoaded;

  // Each line is judged by its first bytes before the rest of it is
  // skipped, so that input without a line end is refused at once instead of
  // read for ever.
  if (preview_file_.ReadLineText(kMagicLength) != obt::kMagicLine) {
    RejectLoad(kPreviewNotObt);
    return;
  }
  preview_file_.SkipToNextLine();
  const std::string version = preview_file_.ReadLineText(kVersionLength);
  if (version != obt::kVersion1Line && version != obt::kVersion2Line) {
    RejectLoad(kPreviewNotObt);
    return;
  }
  preview_file_.SkipToNextLine();

  const int32_t point_count = preview_file_.ReadNumber();
  preview_file_.SkipToNextLine();
  last_point_index_ = LastIndex(point_count);
  if (last_point_index_ > kMaxLastPointIndex) {
    RejectLoad(kPreviewTooManyPoints);
    return;
  }

  ReadPoints(feedback);
  if (last_point_index_ >= 0) FitPoints();

  const int32_t triangle_count = preview_file_.ReadNumber();
  preview_file_.SkipToNextLine();
  last_triangle_index_ = LastIndex(triangle_count);
}

void Preview::RejectLoad(uint8_t error) {
  preview_error_ = error;
  preview_file_.CloseTextFile();
}

PreviewPoint Preview::ReadProjectedPoint() {
  std::array<int32_t, 3> xyz{};
  preview_file_.ReadNumberLine(xyz);
  const PlanePoint projected =
      ProjectPoint(xyz[0], xyz[1], xyz[2], box_width_, box_height_, view_kind_);
  return {projected.u, projected.v};
}

// One point is read even when the count is below 1, so the triangle count
// is then taken from the line after it.
void Preview::ReadPoints(work::Feedback& feedback) {
  preview_point_table_[0] = ReadProjectedPoint();
  min_u_ = max_u_ = preview_point_table_[0].column;
  min_v_ = max_v_ = preview_point_table_[0].row;
  preview_scale_ = kUnitFactor;
  if (last_point_index_ <= 0) return;

  feedback.SetGaugeProgress(0);
  feedback.SetGaugeMaximum(last_point_index_);
  feedback.SetStatusText(kStatusLoadingPoints);
  for (int32_t i = 1; i <= last_point_index_; ++i) {
    const PreviewPoint point = ReadProjectedPoint();
    preview_point_table_[static_cast<std::size_t>(i)] = point;
    if (point.column > max_u_) {
      max_u_ = point.column;
    } else if (point.column < min_u_) {
      min_u_ = point.column;
    }
    if (point.row > max_v_) {
      max_v_ = point.row;
    } else if (point.row < min_v_) {
      min_v_ = point.row;
    }
    feedback.SetGaugeProgress(i);
  }

  const int32_t half_width = box_width_ / 2;
  const int32_t half_height = box_height_ / 2;
  const Real6 scale_u = AxisScale(2 * half_width, min_u_, max_u_);
  const Real6 scale_v = AxisScale(2 * half_height, min_v_, max_v_);
  // The smaller factor, so that the whole object fits on both axes.
  preview_scale_ =
      scale_u.ToExtended() <= scale_v.ToExtended() ? scale_u : scale_v;
}

// Anchors the smallest u at column 0 and the smallest v at the bottom row;
// a larger v is a smaller row, as v grows upward.
void Preview::FitPoints() {
  const Extended scale = preview_scale_.ToExtended();
  const int64_t bottom_row = int64_t{box_height_ / 2} * 2;
  for (int32_t i = 0; i <= last_point_index_; ++i) {
    PreviewPoint& entry = preview_point_table_[static_cast<std::size_t>(i)];
    const int64_t from_left = int64_t{entry.column} - min_u_;
    const int64_t from_bottom = int64_t{entry.row} - min_v_;
    const Extended scaled_u = scale * static_cast<Extended>(from_left);
    const Extended scaled_v = scale * static_cast<Extended>(from_bottom);
    entry.column = Round(scaled_u);
    entry.row = SaturateToInt32(bottom_row - Round(scaled_v));
  }
}

void Preview::ClosePreviewFile() {
  if (preview_error_ == kPreviewLoaded && preview_file_.IsOpen()) {
    preview_file_.CloseTextFile();
  }
}

}  // namespace preview
