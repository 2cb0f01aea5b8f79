#ifndef OBTMIRROR_PICTURE_RGB_IMAGE_H_
#define OBTMIRROR_PICTURE_RGB_IMAGE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace picture {

struct Rgb {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;

  bool operator==(const Rgb&) const = default;
};

// A colour picture: rows top to bottom, three bytes a pixel (red, green,
// blue), each row right after the one before: the layout a PNG encoder
// takes as it is.
class RgbImage {
 public:
  // A size below 0 counts as 0.
  RgbImage(int32_t width, int32_t height, Rgb fill);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  const uint8_t* bytes() const { return bytes_.data(); }

  bool Inside(int64_t x, int64_t y) const {
    return x >= 0 && x < width_ && y >= 0 && y < height_;
  }
  // Both read and write only inside: the caller asks Inside() first.
  Rgb At(int32_t x, int32_t y) const {
    const uint8_t* p = &bytes_[Offset(x, y)];
    return {p[0], p[1], p[2]};
  }
  void Set(int32_t x, int32_t y, Rgb colour) {
    uint8_t* p = &bytes_[Offset(x, y)];
    p[0] = colour.r;
    p[1] = colour.g;
    p[2] = colour.b;
  }
  // Sets a pixel that may lie outside; nothing happens there.
  void SetClipped(int64_t x, int64_t y, Rgb colour) {
    if (Inside(x, y)) {
      Set(static_cast<int32_t>(x), static_cast<int32_t>(y), colour);
    }
  }
  // Mixes `colour` into the pixel by `weight` of 256.
  void Blend(int32_t x, int32_t y, Rgb colour, int weight);

 private:
  std::size_t Offset(int32_t x, int32_t y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)) *
           3;
  }

  int32_t width_;
  int32_t height_;
  std::vector<uint8_t> bytes_;
};

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_RGB_IMAGE_H_
