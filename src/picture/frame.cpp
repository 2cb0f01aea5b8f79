#include "picture/frame.h"

#include <algorithm>
#include <limits>

namespace picture {

Frame::Frame(const ViewTurn& view, const Reach& reach, int32_t width,
             int32_t height, int32_t margin)
    : view_(view),
      width_(width),
      height_(height),
      margin_(
          std::max(0, std::min({margin, (width - 1) / 2, (height - 1) / 2}))) {
  // From the centre of the first free pixel to that of the last.
  const double span[2] = {
      static_cast<double>(std::max(width - 1 - 2 * margin_, 0)),
      static_cast<double>(std::max(height - 1 - 2 * margin_, 0))};
  x0_ = width / 2.0;
  y0_ = height / 2.0;
  if (reach.empty()) return;
  double scale = std::numeric_limits<double>::infinity();
  for (int k = 0; k < 2; ++k) {
    const double extent = reach.high[k] - reach.low[k];
    if (extent > 0) scale = std::min(scale, span[k] / extent);
  }
  // A single point is shown at the middle.
  scale_ = scale == std::numeric_limits<double>::infinity() ? 1 : scale;
  x0_ = width / 2.0 - (reach.low[0] + reach.high[0]) / 2 * scale_;
  y0_ = height / 2.0 + (reach.low[1] + reach.high[1]) / 2 * scale_;
  nearest_ = reach.high[2];
  const double depth = reach.high[2] - reach.low[2];
  depth_scale_ = depth > 0 ? 1 / depth : 0;
}

}  // namespace picture
