#include "picture/legend.h"

#include <algorithm>
#include <string>
#include <utility>

#include "picture/mark_shapes.h"
#include "picture/palette.h"
#include "picture/text_glyphs.h"

namespace picture {
namespace {

std::string TextOf(const LegendEntry& entry) {
  return std::string(entry.mark.name) + " " + std::to_string(entry.count);
}

void DrawSample(const MarkKind& mark, int32_t x, int32_t y, int32_t width,
                int32_t height, RgbImage& image) {
  const float middle = static_cast<float>(y) + static_cast<float>(height) / 2;
  const ScreenPoint left{static_cast<float>(x), middle};
  const ScreenPoint right{static_cast<float>(x + width), middle};
  const ScreenPoint centre{
      static_cast<float>(x) + static_cast<float>(width) / 2, middle};
  const auto top = static_cast<float>(y);
  const auto bottom = static_cast<float>(y + height);
  switch (mark.shape) {
    case MarkKind::Shape::kStroke:
      FillStroke(image, left, right, mark.size, mark.colour);
      break;
    case MarkKind::Shape::kDashedStroke:
      FillStroke(image, left, right, std::max(mark.size, 0.5f), mark.colour,
                 static_cast<float>(width) / 5);
      break;
    case MarkKind::Shape::kDot:
      FillDot(image, centre, mark.size, mark.colour);
      break;
    case MarkKind::Shape::kHatch:
      HatchTriangle(image, {left.x, bottom}, {right.x, bottom}, {centre.x, top},
                    mark.size, mark.colour);
      break;
    case MarkKind::Shape::kFill:
      for (int32_t row = y; row < y + height; ++row) {
        for (int32_t column = x; column < x + width; ++column) {
          image.SetClipped(column, row, mark.colour);
        }
      }
      break;
  }
}

// Calls at(x, y) for each pixel of `box` inside the image.
template <typename At>
void ForEachPixelIn(const PixelBox& box, const RgbImage& image, const At& at) {
  for (int32_t y = std::max(box.y, 0);
       y < std::min(box.y + box.height, image.height()); ++y) {
    for (int32_t x = std::max(box.x, 0);
         x < std::min(box.x + box.width, image.width()); ++x) {
      at(x, y);
    }
  }
}

// How many pixels within `box` are not the background.
int64_t DrawnWithin(const PixelBox& box, const RgbImage& image) {
  int64_t drawn = 0;
  ForEachPixelIn(box, image, [&](int32_t x, int32_t y) {
    drawn += !(image.At(x, y) == kBackground);
  });
  return drawn;
}

}  // namespace

PixelBox DrawLegend(std::span<const LegendEntry> entries, RgbImage& image) {
  if (entries.empty()) return {};
  const int32_t scale =
      std::max(1, std::min(image.width(), image.height()) / 300);
  const int32_t pad = 3 * scale;
  const int32_t row_height = (kGlyphHeight + 4) * scale;
  const int32_t sample_width = 14 * scale;
  int32_t text_width = 0;
  for (const LegendEntry& entry : entries) {
    text_width = std::max(text_width, TextWidth(TextOf(entry), scale));
  }
  const auto rows = static_cast<int32_t>(entries.size());
  const int32_t width = pad + sample_width + pad + text_width + pad;
  const int32_t height = pad + rows * row_height - 4 * scale + pad;
  PixelBox box{pad, pad, width, height};
  int64_t least = DrawnWithin(box, image);
  for (const auto& [x, y] : {std::pair{image.width() - pad - width, pad},
                             std::pair{pad, image.height() - pad - height},
                             std::pair{image.width() - pad - width,
                                       image.height() - pad - height}}) {
    const PixelBox corner{x, y, width, height};
    if (const int64_t drawn = DrawnWithin(corner, image); drawn < least) {
      least = drawn;
      box = corner;
    }
  }
  ForEachPixelIn(box, image, [&image](int32_t x, int32_t y) {
    image.Blend(x, y, kBackground, 224);
  });
  int32_t y = box.y + pad;
  for (const LegendEntry& entry : entries) {
    DrawSample(entry.mark, box.x + pad, y, sample_width, kGlyphHeight * scale,
               image);
    DrawText(image, box.x + pad + sample_width + pad, y, TextOf(entry), scale,
             kInk);
    y += row_height;
  }
  return box;
}

}  // namespace picture
