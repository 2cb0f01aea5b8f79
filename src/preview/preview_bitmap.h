#ifndef OBTMIRROR_PREVIEW_PREVIEW_BITMAP_H_
#define OBTMIRROR_PREVIEW_PREVIEW_BITMAP_H_

#include <cstddef>
#include <cstdint>
#include <vector>

namespace preview {

// The off-screen bitmap the wireframe is drawn into: one bit a pixel, white
// when new, with a black pen of width 1.
//
// Rows are stored top to bottom, eight pixels a byte with the leftmost in
// the top bit, 1 = black, each row starting on a new byte: the layout of a
// binary PBM and of a one-bit image, so writers copy rows as they are.
class PreviewBitmap {
 public:
  // A size below 0 counts as 0.
  PreviewBitmap(int32_t width, int32_t height);

  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  std::size_t bytes_per_row() const { return bytes_per_row_; }
  const uint8_t* Row(int32_t row) const {
    return bits_.data() + static_cast<std::size_t>(row) * bytes_per_row_;
  }

  // False for a pixel outside the bitmap.
  bool IsBlack(int32_t column, int32_t row) const;
  int64_t CountBlack() const;

  void MoveTo(int32_t column, int32_t row);

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
  // Both ends on the bitmap.
  void DrawInsideLine(int32_t from_column, int32_t from_row, int32_t to_column,
                      int32_t to_row);
  void DrawClippedLine(int32_t from_column, int32_t from_row, int32_t to_column,
                       int32_t to_row);
  // (column, row) must be inside.
  void SetBlack(int64_t column, int64_t row) {
    bits_[static_cast<std::size_t>(row) * bytes_per_row_ +
          static_cast<std::size_t>(column >> 3)] |=
        static_cast<uint8_t>(0x80u >> (column & 7));
  }

  int32_t width_;
  int32_t height_;
  std::size_t bytes_per_row_;
  std::vector<uint8_t> bits_;
  int32_t pen_column_ = 0;
  int32_t pen_row_ = 0;
};

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_PREVIEW_BITMAP_H_
