#include "picture/depth_raster.h"

#include <algorithm>

#include "picture/triangle_coverage.h"

namespace picture {

DepthRaster::DepthRaster(int32_t width, int32_t height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      depths_(
          static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
          std::numeric_limits<float>::infinity()),
      numbers_(depths_.size(), kNone) {}

void DepthRaster::Draw(const ScreenPoint& a, const ScreenPoint& b,
                       const ScreenPoint& c, uint32_t number) {
  // Depths run from 0 to 1: a few steps of float there.
  constexpr float kBehindBias = 1.f / (1 << 20);
  ForEachCoveredPixel(width_, height_, a, b, c, kBehindBias,
                      [this, number](int32_t x, int32_t y, float depth) {
                        const std::size_t at = At(x, y);
                        if (Takes(at, depth, number)) {
                          depths_[at] = depth;
                          numbers_[at] = number;
                        }
                      });
}

void DepthRaster::MergeFrom(const DepthRaster& other) {
  for (std::size_t at = 0; at < depths_.size(); ++at) {
    if (Takes(at, other.depths_[at], other.numbers_[at])) {
      depths_[at] = other.depths_[at];
      numbers_[at] = other.numbers_[at];
    }
  }
}

}  // namespace picture
