#include "preview/preview_bitmap.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <utility>

namespace preview {

PreviewBitmap::PreviewBitmap(int32_t width, int32_t height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      bytes_per_row_((static_cast<std::size_t>(width_) + 7) / 8),
      bits_(bytes_per_row_ * static_cast<std::size_t>(height_)) {}

bool PreviewBitmap::IsBlack(int32_t column, int32_t row) const {
  if (!Inside(column, row)) return false;
  const uint8_t byte = Row(row)[column >> 3];
  return (byte & (0x80u >> (column & 7))) != 0;
}

int64_t PreviewBitmap::CountBlack() const {
  int64_t count = 0;
  for (const uint8_t byte : bits_) count += std::popcount(byte);
  return count;
}

void PreviewBitmap::MoveTo(int32_t column, int32_t row) {
  pen_column_ = column;
  pen_row_ = row;
}

namespace {

// A line's walk along one axis: from `start`, `steps` pixels in direction
// `sign`, on an axis of `limit` pixels.
struct Axis {
  int64_t start;
  int64_t steps;
  int sign;
  int64_t limit;
};

Axis MakeAxis(int64_t from, int64_t to, int32_t limit) {
  return {from, to >= from ? to - from : from - to, to >= from ? 1 : -1, limit};
}

// Steps k along `axis` whose coordinate lies on the bitmap, within
// 0 .. axis.steps - 1 (the end pixel is never drawn). Empty when first >
// last.
std::pair<int64_t, int64_t> StepsOnBitmap(const Axis& axis) {
  if (axis.sign > 0) {
    return {std::max<int64_t>(0, -axis.start),
            std::min(axis.steps - 1, axis.limit - 1 - axis.start)};
  }
  return {std::max<int64_t>(0, axis.start - (axis.limit - 1)),
          std::min(axis.steps - 1, axis.start)};
}

}  // namespace

void PreviewBitmap::LineTo(int32_t column, int32_t row) {
  const int32_t from_column = pen_column_;
  const int32_t from_row = pen_row_;
  pen_column_ = column;
  pen_row_ = row;
  // Nearly every line of a fitted object lies on the bitmap; its walk needs
  // no clipping.
  if (Inside(from_column, from_row) && Inside(column, row)) {
    DrawInsideLine(from_column, from_row, column, row);
  } else {
    DrawClippedLine(from_column, from_row, column, row);
  }
}

// Both lines walk the longer axis one pixel a step; at step k the shorter
// axis has moved by the nearest whole number to k * minor / major, a half
// going toward the end point: floor((2 k minor + major) / (2 major)), kept
// as a quotient and a remainder.
void PreviewBitmap::DrawInsideLine(int32_t from_column, int32_t from_row,
                                   int32_t to_column, int32_t to_row) {
  const int64_t dx = std::abs(int64_t{to_column} - from_column);
  const int64_t dy = std::abs(int64_t{to_row} - from_row);
  const int step_x = to_column >= from_column ? 1 : -1;
  const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(bytes_per_row_);
  const std::ptrdiff_t step_row = to_row >= from_row ? stride : -stride;
  // Held in locals: a store through a byte pointer could alias the members,
  // which the compiler would then reload for every pixel.
  uint8_t* row = bits_.data() + from_row * stride;
  int64_t x = from_column;
  const auto set_black = [&row, &x] {
    row[x >> 3] |= static_cast<uint8_t>(0x80u >> (x & 7));
  };
  if (dx >= dy) {
    int64_t remainder = dx;
    for (int64_t k = 0; k < dx; ++k, x += step_x) {
      set_black();
      remainder += 2 * dy;
      if (remainder >= 2 * dx) {
        remainder -= 2 * dx;
        row += step_row;
      }
    }
  } else {
    int64_t remainder = dy;
    for (int64_t k = 0; k < dy; ++k, row += step_row) {
      set_black();
      remainder += 2 * dx;
      if (remainder >= 2 * dy) {
        remainder -= 2 * dy;
        x += step_x;
      }
    }
  }
}

// 64-bit coordinates, since two 32-bit points can be 2^32 apart.
void PreviewBitmap::DrawClippedLine(int32_t from_column, int32_t from_row,
                                    int32_t to_column, int32_t to_row) {
  const Axis x = MakeAxis(from_column, to_column, width_);
  const Axis y = MakeAxis(from_row, to_row, height_);
  const bool x_major = x.steps >= y.steps;
  const Axis& major = x_major ? x : y;
  const Axis& minor = x_major ? y : x;
  if (major.steps == 0) return;

  // Only steps whose major coordinate lies on the bitmap are walked, so a
  // line costs at most the bitmap's size however far away it starts.
  const auto [first, last] = StepsOnBitmap(major);
  if (first > last) return;
  const int64_t twice_major = 2 * major.steps;
  const int64_t twice_minor = 2 * minor.steps;
  int64_t moved = 0;
  int64_t remainder = major.steps;
  if (first > 0) {
    // Up to 2^66: beyond 64 bits.
    __extension__ using Wide = unsigned __int128;
    const Wide numerator = Wide(first) * Wide(twice_minor) + Wide(major.steps);
    moved = static_cast<int64_t>(numerator / Wide(twice_major));
    remainder = static_cast<int64_t>(numerator % Wide(twice_major));
  }

  bool entered = false;
  for (int64_t k = first; k <= last; ++k) {
    const int64_t along = major.start + major.sign * k;
    const int64_t across = minor.start + minor.sign * moved;
    if (across >= 0 && across < minor.limit) {
      if (x_major) {
        SetBlack(along, across);
      } else {
        SetBlack(across, along);
      }
      entered = true;
    } else if (entered) {
      // A straight line that has left the bitmap does not come back.
      return;
    }
    remainder += twice_minor;
    if (remainder >= twice_major) {
      remainder -= twice_major;
      ++moved;
    }
  }
}

}  // namespace preview
