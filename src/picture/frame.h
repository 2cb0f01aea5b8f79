#ifndef OBTMIRROR_PICTURE_FRAME_H_
#define OBTMIRROR_PICTURE_FRAME_H_

#include <algorithm>
#include <cstdint>
#include <limits>

#include "picture/view_turn.h"
#include "work/work_tables.h"

namespace picture {

// A point on the picture: x to the right and y down, in pixels, the pixel
// (i, j) spanning [i, i+1) x [j, j+1); depth 0 for the point nearest the
// viewer, 1 for the farthest.
struct ScreenPoint {
  float x = 0;
  float y = 0;
  float depth = 0;
};

// How far a set of points reaches along a view's three directions; empty
// while low stands above high.
struct Reach {
  double low[3] = {kNowhere, kNowhere, kNowhere};
  double high[3] = {-kNowhere, -kNowhere, -kNowhere};

  bool empty() const { return low[0] > high[0]; }
  void Add(const ViewTurn& view, const work::TableEntry& point) {
    const double x = point[0], y = point[1], z = point[2];
    const Direction* directions[3] = {&view.right, &view.up, &view.toward};
    for (int k = 0; k < 3; ++k) {
      const Direction& d = *directions[k];
      const double along = d[0] * x + d[1] * y + d[2] * z;
      low[k] = std::min(low[k], along);
      high[k] = std::max(high[k], along);
    }
  }
  void Add(const Reach& other) {
    for (int k = 0; k < 3; ++k) {
      low[k] = std::min(low[k], other.low[k]);
      high[k] = std::max(high[k], other.high[k]);
    }
  }

 private:
  static constexpr double kNowhere = std::numeric_limits<double>::infinity();
};

// The view scaled and moved so that what `reach` holds fills the picture,
// `margin` pixels kept free on each side where the picture is big enough:
// the axis with the tighter fit spans it from margin to margin, the other
// is centred.
class Frame {
 public:
  Frame(const ViewTurn& view, const Reach& reach, int32_t width, int32_t height,
        int32_t margin);

  ScreenPoint Project(const work::TableEntry& point) const {
    const double p[3] = {static_cast<double>(point[0]),
                         static_cast<double>(point[1]),
                         static_cast<double>(point[2])};
    const auto along = [&p](const Direction& d) {
      return d[0] * p[0] + d[1] * p[1] + d[2] * p[2];
    };
    return {
        static_cast<float>(x0_ + along(view_.right) * scale_),
        static_cast<float>(y0_ - along(view_.up) * scale_),
        static_cast<float>((nearest_ - along(view_.toward)) * depth_scale_)};
  }

  const ViewTurn& view() const { return view_; }
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  int32_t margin() const { return margin_; }
  // Pixels per object unit.
  double scale() const { return scale_; }

 private:
  ViewTurn view_;
  int32_t width_;
  int32_t height_;
  int32_t margin_;
  double scale_ = 1;
  double x0_ = 0;
  double y0_ = 0;
  double nearest_ = 0;
  double depth_scale_ = 0;
};

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_FRAME_H_
