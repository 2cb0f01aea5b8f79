#ifndef OBTMIRROR_PICTURE_TEXT_GLYPHS_H_
#define OBTMIRROR_PICTURE_TEXT_GLYPHS_H_

#include <cstdint>
#include <string_view>

#include "picture/rgb_image.h"

namespace picture {

// A built-in pixel font, so that legends can be lettered without a font
// library. It knows a-z, A-Z, 0-9, space and - , . : ( ) / + % = ' ; any
// other byte is drawn as a hollow box, so a missing character shows up in
// the picture instead of leaving a silent hole.
inline constexpr int32_t kGlyphWidth = 5;
inline constexpr int32_t kGlyphHeight = 7;
// One empty column between neighbouring glyphs.
inline constexpr int32_t kGlyphAdvance = 6;

// The width in image pixels that DrawText covers for `text`, from the left
// edge of the first glyph to the right edge of the last (no gap after it); 0
// for empty text. A scale below 1 counts as 1. The height is always
// kGlyphHeight * scale.
int32_t TextWidth(std::string_view text, int32_t scale);

// Letters `text` one byte a glyph with the top-left of the first glyph at
// (x, y), every font pixel a `scale` x `scale` square; a scale below 1 counts
// as 1. Only the glyphs' own pixels are painted, the background stays, and
// whatever falls outside the image is left out.
void DrawText(RgbImage& image, int32_t x, int32_t y, std::string_view text,
              int32_t scale, Rgb colour);

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_TEXT_GLYPHS_H_
