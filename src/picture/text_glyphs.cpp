#include "picture/text_glyphs.h"

#include <algorithm>
#include <array>
#include <limits>

namespace picture {
namespace {

// One glyph as it looks: rows top to bottom, a space between rows, '#' for
// ink and '.' for paper. Letters stand on the bottom row; g p q y have no
// room below it, so their bodies rise a row to keep the tails inside.
struct GlyphArt {
  char character;
  std::string_view rows;
};

constexpr GlyphArt kArt[] = {
    {' ', "..... ..... ..... ..... ..... ..... ....."},
    {'-', "..... ..... ..... .###. ..... ..... ....."},
    {',', "..... ..... ..... ..... .##.. ..#.. .#..."},
    {'.', "..... ..... ..... ..... ..... .##.. .##.."},
    {':', "..... .##.. .##.. ..... .##.. .##.. ....."},
    {'(', "...#. ..#.. .#... .#... .#... ..#.. ...#."},
    {')', ".#... ..#.. ...#. ...#. ...#. ..#.. .#..."},
    {'/', "..... ....# ...#. ..#.. .#... #.... ....."},
    {'+', "..... ..#.. ..#.. ##### ..#.. ..#.. ....."},
    {'%', "##... ##..# ...#. ..#.. .#... #..## ...##"},
    {'=', "..... ..... ##### ..... ##### ..... ....."},
    {'\'', ".##.. ..#.. .#... ..... ..... ..... ....."},
    {'0', ".###. #...# #..## #.#.# ##..# #...# .###."},
    {'1', "..#.. .##.. #.#.. ..#.. ..#.. ..#.. #####"},
    {'2', ".###. #...# ....# ...#. ..#.. .#... #####"},
    {'3', "##### ...#. ..#.. ...#. ....# #...# .###."},
    {'4', "...#. ..##. .#.#. #..#. ##### ...#. ...#."},
    {'5', "##### #.... ####. ....# ....# #...# .###."},
    {'6', "..##. .#... #.... ####. #...# #...# .###."},
    {'7', "##### ....# ...#. ..#.. .#... .#... .#..."},
    {'8', ".###. #...# #...# .###. #...# #...# .###."},
    {'9', ".###. #...# #...# .#### ....# ...#. .##.."},
    {'A', ".###. #...# #...# ##### #...# #...# #...#"},
    {'B', "####. #...# #...# ####. #...# #...# ####."},
    {'C', ".###. #...# #.... #.... #.... #...# .###."},
    {'D', "###.. #..#. #...# #...# #...# #..#. ###.."},
    {'E', "##### #.... #.... ####. #.... #.... #####"},
    {'F', "##### #.... #.... ####. #.... #.... #...."},
    {'G', ".###. #...# #.... #.### #...# #...# .####"},
    {'H', "#...# #...# #...# ##### #...# #...# #...#"},
    {'I', ".###. ..#.. ..#.. ..#.. ..#.. ..#.. .###."},
    {'J', "..### ...#. ...#. ...#. ...#. #..#. .##.."},
    {'K', "#...# #..#. #.#.. ##... #.#.. #..#. #...#"},
    {'L', "#.... #.... #.... #.... #.... #.... #####"},
    {'M', "#...# ##.## #.#.# #.#.# #...# #...# #...#"},
    {'N', "#...# #...# ##..# #.#.# #..## #...# #...#"},
    {'O', ".###. #...# #...# #...# #...# #...# .###."},
    {'P', "####. #...# #...# ####. #.... #.... #...."},
    {'Q', ".###. #...# #...# #...# #.#.# #..#. .##.#"},
    {'R', "####. #...# #...# ####. #.#.. #..#. #...#"},
    {'S', ".#### #.... #.... .###. ....# ....# ####."},
    {'T', "##### ..#.. ..#.. ..#.. ..#.. ..#.. ..#.."},
    {'U', "#...# #...# #...# #...# #...# #...# .###."},
    {'V', "#...# #...# #...# #...# #...# .#.#. ..#.."},
    {'W', "#...# #...# #...# #.#.# #.#.# #.#.# .#.#."},
    {'X', "#...# #...# .#.#. ..#.. .#.#. #...# #...#"},
    {'Y', "#...# #...# .#.#. ..#.. ..#.. ..#.. ..#.."},
    {'Z', "##### ....# ...#. ..#.. .#... #.... #####"},
    {'a', "..... ..... .###. ....# .#### #...# .####"},
    {'b', "#.... #.... #.##. ##..# #...# #...# ####."},
    {'c', "..... ..... .###. #.... #.... #...# .###."},
    {'d', "....# ....# .##.# #..## #...# #...# .####"},
    {'e', "..... ..... .###. #...# ##### #.... .###."},
    {'f', "..##. .#..# .#... ###.. .#... .#... .#..."},
    {'g', "..... .##.# #..## #...# .#### ....# .###."},
    {'h', "#.... #.... #.##. ##..# #...# #...# #...#"},
    {'i', "..#.. ..... .##.. ..#.. ..#.. ..#.. .###."},
    {'j', "...#. ..... ..##. ...#. ...#. #..#. .##.."},
    {'k', "#.... #.... #..#. #.#.. ##... #.#.. #..#."},
    {'l', ".##.. ..#.. ..#.. ..#.. ..#.. ..#.. .###."},
    {'m', "..... ..... ##.#. #.#.# #.#.# #...# #...#"},
    {'n', "..... ..... #.##. ##..# #...# #...# #...#"},
    {'o', "..... ..... .###. #...# #...# #...# .###."},
    {'p', "..... ..... ####. #...# ####. #.... #...."},
    {'q', "..... ..... .#### #...# .#### ....# ....#"},
    {'r', "..... ..... #.##. ##..# #.... #.... #...."},
    {'s', "..... ..... .###. #.... .###. ....# ####."},
    {'t', ".#... .#... ###.. .#... .#... .#..# ..##."},
    {'u', "..... ..... #...# #...# #...# #..## .##.#"},
    {'v', "..... ..... #...# #...# #...# .#.#. ..#.."},
    {'w', "..... ..... #...# #...# #.#.# #.#.# .#.#."},
    {'x', "..... ..... #...# .#.#. ..#.. .#.#. #...#"},
    {'y', "..... #...# #...# #...# .#### ....# .###."},
    {'z', "..... ..... ##### ...#. ..#.. .#... #####"},
};

// Square rather than round, so it cannot be taken for an O or a 0.
constexpr std::string_view kMissingArt =
    "##### #...# #...# #...# #...# #...# #####";

// Bit kGlyphWidth - 1 of a row is its leftmost column.
using GlyphRows = std::array<uint8_t, kGlyphHeight>;

// Malformed art stops the build here rather than drawing garbage later.
consteval GlyphRows Pack(std::string_view art) {
  if (art.size() != kGlyphHeight * (kGlyphWidth + 1) - 1) {
    throw "glyph art must be seven rows of five";
  }
  GlyphRows rows{};
  for (int32_t row = 0; row < kGlyphHeight; ++row) {
    const std::string_view line =
        art.substr(row * (kGlyphWidth + 1), kGlyphWidth);
    for (const char pixel : line) {
      if (pixel != '#' && pixel != '.') throw "glyph art takes only # and .";
      rows[row] = static_cast<uint8_t>((rows[row] << 1) | (pixel == '#'));
    }
    if (row + 1 < kGlyphHeight &&
        art[row * (kGlyphWidth + 1) + kGlyphWidth] != ' ') {
      throw "glyph rows are parted by one space";
    }
  }
  return rows;
}

// Indexed by every byte value, so lookup needs no search and no test for
// characters the font lacks.
using Font = std::array<GlyphRows, 256>;

consteval Font BuildFont() {
  Font font{};
  font.fill(Pack(kMissingArt));
  std::array<bool, 256> seen{};
  for (const GlyphArt& glyph : kArt) {
    const auto code = static_cast<unsigned char>(glyph.character);
    if (seen[code]) throw "a character is drawn twice";
    seen[code] = true;
    font[code] = Pack(glyph.rows);
  }
  return font;
}

constexpr Font kFont = BuildFont();

void FillSquare(RgbImage& image, int64_t left, int64_t top, int64_t size,
                Rgb colour) {
  const int64_t x_end = std::min<int64_t>(left + size, image.width());
  const int64_t y_end = std::min<int64_t>(top + size, image.height());
  for (int64_t y = std::max<int64_t>(top, 0); y < y_end; ++y) {
    for (int64_t x = std::max<int64_t>(left, 0); x < x_end; ++x) {
      image.Set(static_cast<int32_t>(x), static_cast<int32_t>(y), colour);
    }
  }
}

void DrawGlyph(RgbImage& image, int64_t left, int64_t top, int64_t size,
               const GlyphRows& rows, Rgb colour) {
  for (int32_t row = 0; row < kGlyphHeight; ++row) {
    for (int32_t column = 0; column < kGlyphWidth; ++column) {
      if ((rows[row] >> (kGlyphWidth - 1 - column)) & 1) {
        FillSquare(image, left + column * size, top + row * size, size, colour);
      }
    }
  }
}

}  // namespace

int32_t TextWidth(std::string_view text, int32_t scale) {
  if (text.empty()) return 0;
  const int64_t size = std::max(scale, 1);
  const int64_t columns = static_cast<int64_t>(text.size()) * kGlyphAdvance -
                          (kGlyphAdvance - kGlyphWidth);
  constexpr int64_t kMost = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(columns > kMost / size ? kMost : columns * size);
}

void DrawText(RgbImage& image, int32_t x, int32_t y, std::string_view text,
              int32_t scale, Rgb colour) {
  // Positions are carried in 64 bits: a large scale or a start near the
  // edge of the 32-bit range would otherwise wrap around into the image.
  const int64_t size = std::max(scale, 1);
  const int64_t top = y;
  if (top >= image.height() || top + kGlyphHeight * size <= 0) return;
  int64_t left = x;
  for (const char character : text) {
    if (left >= image.width()) break;
    if (left + kGlyphWidth * size > 0) {
      DrawGlyph(image, left, top, size,
                kFont[static_cast<unsigned char>(character)], colour);
    }
    left += kGlyphAdvance * size;
  }
}

}  // namespace picture
