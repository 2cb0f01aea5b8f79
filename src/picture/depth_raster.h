#ifndef OBTMIRROR_PICTURE_DEPTH_RASTER_H_
#define OBTMIRROR_PICTURE_DEPTH_RASTER_H_

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "picture/frame.h"

namespace picture {

// Which triangle is nearest the viewer at each pixel: a depth buffer that
// keeps the triangle's number rather than a colour, so that a picture can
// colour what is seen and tell which triangles are seen at all. Where two
// triangles lie at the same depth the lower number wins, so the picture
// does not depend on the order they are drawn in, or on how the drawing
// is shared out between threads.
class DepthRaster {
 public:
  static constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

  DepthRaster(int32_t width, int32_t height);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }

  void Draw(const ScreenPoint& a, const ScreenPoint& b, const ScreenPoint& c,
            uint32_t number);

  // Takes, pixel by pixel, what is nearer in `other`, a raster of the same
  // size.
  void MergeFrom(const DepthRaster& other);

  // The triangle seen at a pixel inside, kNone where none is.
  uint32_t NumberAt(int32_t x, int32_t y) const { return numbers_[At(x, y)]; }
  float DepthAt(int32_t x, int32_t y) const { return depths_[At(x, y)]; }

 private:
  std::size_t At(int32_t x, int32_t y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  bool Takes(std::size_t at, float depth, uint32_t number) const {
    return depth < depths_[at] ||
           (depth == depths_[at] && number < numbers_[at]);
  }

  int32_t width_;
  int32_t height_;
  std::vector<float> depths_;
  std::vector<uint32_t> numbers_;
};

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_DEPTH_RASTER_H_
