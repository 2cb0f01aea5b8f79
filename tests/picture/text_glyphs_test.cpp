#include "picture/text_glyphs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>
#include <string_view>

namespace {

using picture::DrawText;
using picture::kGlyphAdvance;
using picture::kGlyphHeight;
using picture::kGlyphWidth;
using picture::Rgb;
using picture::RgbImage;

constexpr Rgb kPaper{10, 20, 30};
constexpr Rgb kInk{200, 100, 50};

// One glyph at scale 1 as 35 bits, row by row from the top left.
uint64_t Pattern(char character) {
  RgbImage image(kGlyphWidth, kGlyphHeight, kPaper);
  DrawText(image, 0, 0, std::string_view(&character, 1), 1, kInk);
  uint64_t bits = 0;
  for (int32_t i = 0; i < kGlyphWidth * kGlyphHeight; ++i) {
    bits = (bits << 1) | (image.At(i % kGlyphWidth, i / kGlyphWidth) == kInk);
  }
  return bits;
}

bool Inked(char character, int64_t column, int64_t row) {
  const int64_t bit = (kGlyphHeight - 1 - row) * kGlyphWidth + kGlyphWidth - 1;
  return (Pattern(character) >> (bit - column)) & 1;
}

TEST(TextGlyphsTest, EveryCharacterHasItsOwnShapeAndOthersGetTheBox) {
  const uint64_t box = Pattern('\x7f');
  std::set<uint64_t> seen = {box};
  for (const char c : std::string_view(
           "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 "
           "-,.:()/+%='")) {
    EXPECT_TRUE(seen.insert(Pattern(c)).second) << c << " is like another";
    EXPECT_EQ(Pattern(c) == 0, c == ' ') << c;
  }
  // Mirrored or upside-down drawing keeps glyphs apart, but breaks the L.
  EXPECT_EQ(Pattern('L'), 0b10000'10000'10000'10000'10000'10000'11111u);
  for (const char c : std::string_view("~_#\n\0\x80\xff", 7)) {
    EXPECT_EQ(Pattern(c), box) << static_cast<int>(c);
  }
}

// Every text ends in a glyph that reaches its right column.
TEST(TextGlyphsTest, WidthIsWhereTheInkEnds) {
  const struct {
    std::string_view text;
    int32_t scale;
    int32_t width;
  } cases[] = {{"", 1, 0},     {"H", 3, 15},
               {"H H", 2, 34}, {"Mirror planes 2", 1, 89},
               {"HH", 0, 11},  {"HH", -4, 11}};
  for (const auto& c : cases) {
    EXPECT_EQ(picture::TextWidth(c.text, c.scale), c.width) << c.text;
    RgbImage image(100, 20, kPaper);
    DrawText(image, 0, 0, c.text, c.scale, kInk);
    int32_t end = 0;
    for (int32_t y = 0; y < image.height(); ++y) {
      for (int32_t x = end; x < image.width(); ++x) {
        if (image.At(x, y) == kInk) end = x + 1;
      }
    }
    EXPECT_EQ(end, c.width) << c.text;
  }
}

// Scaled, clipped drawing must match the single glyphs blown up by hand, and
// leave every other pixel alone.
TEST(TextGlyphsTest, PlacesScaledGlyphsAndClipsAtTheBorders) {
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  // One glyph advance at this scale passes 2^32; the next glyph must not
  // wrap back into the picture.
  constexpr int32_t kWrap = 715827883;
  const struct {
    int32_t x, y, scale;
  } cases[] = {{0, 0, 1},       {3, 2, 2},         {1, 1, 3},      {-4, -3, 1},
               {-9, -9, 2},     {25, 12, 2},       {2, 2, -5},     {-27, 1, 1},
               {29, 1, 1},      {1, 13, 1},        {-2, -1, kMax}, {kMax, 0, 3},
               {kMin, kMin, 3}, {-kWrap, 0, kWrap}};
  const std::string_view text = "HE%gy";
  for (const auto& c : cases) {
    RgbImage image(30, 14, kPaper);
    DrawText(image, c.x, c.y, text, c.scale, kInk);
    const int64_t scale = std::max(c.scale, 1);
    for (int32_t y = 0; y < image.height(); ++y) {
      for (int32_t x = 0; x < image.width(); ++x) {
        const int64_t dx = int64_t{x} - c.x;
        const int64_t dy = int64_t{y} - c.y;
        const int64_t glyph = dx / (kGlyphAdvance * scale);
        const int64_t column = dx % (kGlyphAdvance * scale) / scale;
        const bool inked = dx >= 0 && dy >= 0 && dy < kGlyphHeight * scale &&
                           glyph < static_cast<int64_t>(text.size()) &&
                           column < kGlyphWidth &&
                           Inked(text[glyph], column, dy / scale);
        ASSERT_EQ(image.At(x, y), inked ? kInk : kPaper)
            << x << "," << y << " from " << c.x << "," << c.y << " x"
            << c.scale;
      }
    }
  }
}

}  // namespace
