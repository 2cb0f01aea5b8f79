#ifndef OBTMIRROR_PREVIEW_PREVIEW_BITMAP_H_
#define OBTMIRROR_PREVIEW_PREVIEW_BITMAP_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace preview {

// The off-screen bitmap the wireframe is drawn into: one bit a pixel, white
// when new, with a black pen of width 1.
//
// Row() gives the rows top to bottom, eight pixels a byte with the leftmost
// in the top bit, 1 = black, each row starting on a new byte: the layout of
// a binary PBM and of a one-bit image, so writers copy rows as they are.
//
// Drawing works on tiles of 8 x 8 pixels, one 64-bit word each, so that a
// line can pass over a tile that is black already without drawing into it:
// a preview of a million triangles blackens most of its box long before the
// last triangle, and the lines over black tiles are nearly all the work.
class PreviewBitmap {
 public:
  // A size below 0 counts as 0.
  PreviewBitmap(int32_t width, int32_t height);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  std::size_t bytes_per_row() const { return tiles_across_; }
  // The rows follow each other without a gap. Valid until the next drawing.
  const uint8_t* Row(int32_t row) const;

  // False for a pixel outside the bitmap.
  bool IsBlack(int32_t column, int32_t row) const;
  int64_t CountBlack() const;

  void MoveTo(int32_t column, int32_t row);

  // Blackens every pixel that is black in `other`, a bitmap of the same
  // size: lines drawn into two bitmaps and merged give the pixels of all of
  // them drawn into one.
  void MergeFrom(const PreviewBitmap& other);

  // Draws a Bresenham line from the pen position to (column, row) and moves
  // the pen there: along the longer axis one pixel a step, on the shorter
  // axis the nearest pixel to the ideal line (a tie goes toward the end). The
  // line covers its start pixel and leaves out its end pixel, so the lines of a
  // closed outline meet without overlap; a line to the pen position itself
  // draws nothing. Pixels outside the bitmap are left out, since fitted points
  // may lie one pixel past the right or bottom edge.
  void LineTo(int32_t column, int32_t row);

 private:
  bool Inside(int64_t column, int64_t row) const {
    return column >= 0 && column < width_ && row >= 0 && row < height_;
  }
  // The word of the tile that holds (column, row), which need not be inside:
  // the tiles along the right and bottom edges reach past the bitmap.
  std::size_t TileOf(int64_t column, int64_t row) const {
    return static_cast<std::size_t>(row >> 3) * tiles_across_ +
           static_cast<std::size_t>(column >> 3);
  }
  // Byte r of a tile's word is row r of the tile, its top bit the leftmost
  // pixel.
  static uint64_t PixelBit(int64_t column, int64_t row) {
    return uint64_t{1} << ((row & 7) * 8 + 7 - (column & 7));
  }
  void SetBlack(int64_t column, int64_t row) {
    tiles_[TileOf(column, row)] |= PixelBit(column, row);
    rows_stale_ = true;
  }
  // Both ends on the bitmap.
  void DrawInsideLine(int32_t from_column, int32_t from_row, int32_t to_column,
                      int32_t to_row);
  void DrawClippedLine(int32_t from_column, int32_t from_row, int32_t to_column,
                       int32_t to_row);

  int32_t width_;
  int32_t height_;
  std::size_t tiles_across_;
  std::size_t tiles_down_;
  // The parts of the edge tiles that lie past the bitmap are black from the
  // start, so that an edge tile can be all black too; they are never shown.
  std::vector<uint64_t> tiles_;
  int64_t outside_bits_ = 0;
  // The rows as Row() gives them, made from the tiles when asked for.
  mutable std::vector<uint8_t> rows_;
  mutable bool rows_stale_ = true;
  int32_t pen_column_ = 0;
  int32_t pen_row_ = 0;
};

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_PREVIEW_BITMAP_H_
