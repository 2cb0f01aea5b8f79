#ifndef OBTMIRROR_PICTURE_LEGEND_H_
#define OBTMIRROR_PICTURE_LEGEND_H_

#include <cstdint>
#include <span>

#include "picture/finding_marks.h"
#include "picture/rgb_image.h"

namespace picture {

struct LegendEntry {
  MarkKind mark;
  int64_t count = 0;
};

// Where a legend lies in the picture, in pixels.
struct PixelBox {
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

  bool Holds(int32_t column, int32_t row) const {
    return column >= x && column < x + width && row >= y && row < y + height;
  }
};

// Draws the entries one a row, a sample of the mark, its name and its
// count, on a light box in the corner of the picture where it hides the
// least of what is drawn (the top left of equals first). Returns the box;
// an empty one when there are no entries.
PixelBox DrawLegend(std::span<const LegendEntry> entries, RgbImage& image);

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_LEGEND_H_
