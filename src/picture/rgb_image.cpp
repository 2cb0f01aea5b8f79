#include "picture/rgb_image.h"

#include <algorithm>

namespace picture {

RgbImage::RgbImage(int32_t width, int32_t height, Rgb fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  const std::size_t pixels =
      static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
  bytes_.resize(pixels * 3);
  for (std::size_t i = 0; i < pixels; ++i) {
    bytes_[i * 3] = fill.r;
    bytes_[i * 3 + 1] = fill.g;
    bytes_[i * 3 + 2] = fill.b;
  }
}

void RgbImage::Blend(int32_t x, int32_t y, Rgb colour, int weight) {
  uint8_t* p = &bytes_[Offset(x, y)];
  const uint8_t mix[3] = {colour.r, colour.g, colour.b};
  for (int i = 0; i < 3; ++i) {
    p[i] = static_cast<uint8_t>((p[i] * (256 - weight) + mix[i] * weight) >> 8);
  }
}

}  // namespace picture
