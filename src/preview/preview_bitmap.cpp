#include "preview/preview_bitmap.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdlib>
#include <utility>

namespace preview {

namespace {

constexpr uint64_t kAllBlack = ~uint64_t{0};

}  // namespace

PreviewBitmap::PreviewBitmap(int32_t width, int32_t height)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      tiles_across_((static_cast<std::size_t>(width_) + 7) / 8),
      tiles_down_((static_cast<std::size_t>(height_) + 7) / 8),
      tiles_(tiles_across_ * tiles_down_) {
  const int64_t right = static_cast<int64_t>(tiles_across_) * 8;
  const int64_t bottom = static_cast<int64_t>(tiles_down_) * 8;
  for (int64_t row = 0; row < bottom; ++row) {
    for (int64_t column = width_; column < right; ++column) {
      tiles_[TileOf(column, row)] |= PixelBit(column, row);
    }
  }
  for (int64_t row = height_; row < bottom; ++row) {
    for (int64_t column = 0; column < width_; ++column) {
      tiles_[TileOf(column, row)] |= PixelBit(column, row);
    }
  }
  for (const uint64_t tile : tiles_) outside_bits_ += std::popcount(tile);
}

const uint8_t* PreviewBitmap::Row(int32_t row) const {
  if (rows_stale_) {
    rows_.resize(tiles_across_ * static_cast<std::size_t>(height_));
    // The bits past the right edge are 0 in a row, as in a PBM.
    const auto last_mask =
        static_cast<uint8_t>(0xFFu << (tiles_across_ * 8 - width_));
    uint8_t* out = rows_.data();
    for (int64_t y = 0; y < height_; ++y) {
      const uint64_t* tile = tiles_.data() + TileOf(0, y);
      const int shift = static_cast<int>(y & 7) * 8;
      for (std::size_t x = 0; x < tiles_across_; ++x) {
        *out++ = static_cast<uint8_t>(tile[x] >> shift);
      }
      if (tiles_across_ > 0) out[-1] &= last_mask;
    }
    rows_stale_ = false;
  }
  return rows_.data() + static_cast<std::size_t>(row) * tiles_across_;
}

bool PreviewBitmap::IsBlack(int32_t column, int32_t row) const {
  return Inside(column, row) &&
         (tiles_[TileOf(column, row)] & PixelBit(column, row)) != 0;
}

int64_t PreviewBitmap::CountBlack() const {
  int64_t count = 0;
  for (const uint64_t tile : tiles_) count += std::popcount(tile);
  return count - outside_bits_;
}

void PreviewBitmap::MergeFrom(const PreviewBitmap& other) {
  for (std::size_t i = 0; i < tiles_.size(); ++i) tiles_[i] |= other.tiles_[i];
  rows_stale_ = true;
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

namespace {

// The walk of a line whose pixels all lie on the bitmap, along its longer
// ("major") axis one pixel a step; at step k the shorter axis has moved by
// the nearest whole number to k * minor / major, a half going toward the
// end point: floor((2 k minor + major) / (2 major)), kept as a quotient
// (the position) and a remainder. kAlongRows: the major axis is the column.
template <bool kAlongRows>
class InsideWalk {
 public:
  InsideWalk(uint64_t* tiles, std::size_t tiles_across, int64_t major,
             int64_t minor, int64_t major_steps, int64_t minor_steps,
             int64_t major_sign, int64_t minor_sign)
      : tiles_(tiles),
        tiles_across_(tiles_across),
        major_(major),
        minor_(minor),
        steps_(major_steps),
        major_sign_(major_sign),
        minor_sign_(minor_sign),
        twice_major_(2 * major_steps),
        twice_minor_(2 * minor_steps),
        remainder_(major_steps) {}

  // Eight steps that stay in one tile column (or row) cover at most two
  // tiles; when both are black already, they are passed over, else drawn.
  void Draw() {
    int64_t left = steps_;
    // A line shorter than a tile is drawn straight away.
    if (left < 8) {
      for (; left > 0; --left) Step();
      return;
    }
    while (left > 0) {
      const int64_t in_tile =
          major_sign_ > 0 ? 8 - (major_ & 7) : (major_ & 7) + 1;
      if (in_tile == 8 && left >= 8 && Black(major_, minor_)) {
        if (!leaps_known_) KnowLeaps();
        const int64_t carry_7 =
            remainder_ + remainder_by_7_ >= twice_major_ ? 1 : 0;
        if (Black(major_ + 7 * major_sign_,
                  minor_ + minor_sign_ * (moved_by_7_ + carry_7))) {
          major_ += 8 * major_sign_;
          const int64_t sum = remainder_ + remainder_by_8_;
          const int64_t carry = sum >= twice_major_ ? 1 : 0;
          remainder_ = sum - carry * twice_major_;
          minor_ += minor_sign_ * (moved_by_8_ + carry);
          left -= 8;
          continue;
        }
      }
      const int64_t steps = std::min(in_tile, left);
      for (int64_t k = 0; k < steps; ++k) Step();
      left -= steps;
    }
  }

 private:
  uint64_t& Tile(int64_t major, int64_t minor) const {
    const int64_t column = kAlongRows ? major : minor;
    const int64_t row = kAlongRows ? minor : major;
    return tiles_[static_cast<std::size_t>(row >> 3) * tiles_across_ +
                  static_cast<std::size_t>(column >> 3)];
  }
  bool Black(int64_t major, int64_t minor) const {
    return Tile(major, minor) == kAllBlack;
  }
  // How far the shorter axis moves in 7 and 8 steps, less what the
  // remainder carries: worked out once a line first meets a black tile, so
  // that short lines never divide.
  void KnowLeaps() {
    const int64_t eight = 8 * twice_minor_;
    moved_by_8_ = eight / twice_major_;
    remainder_by_8_ = eight % twice_major_;
    // Seven steps are eight less one, and one moves by less than a whole
    // 2 major.
    moved_by_7_ = moved_by_8_;
    remainder_by_7_ = remainder_by_8_ - twice_minor_;
    if (remainder_by_7_ < 0) {
      remainder_by_7_ += twice_major_;
      --moved_by_7_;
    }
    leaps_known_ = true;
  }
  // One pixel, then on; the shorter axis moves without a branch, as its
  // pattern is too irregular to predict.
  void Step() {
    const int64_t column = kAlongRows ? major_ : minor_;
    const int64_t row = kAlongRows ? minor_ : major_;
    Tile(major_, minor_) |= uint64_t{1} << ((row & 7) * 8 + 7 - (column & 7));
    major_ += major_sign_;
    remainder_ += twice_minor_;
    const int64_t carry = remainder_ >= twice_major_ ? 1 : 0;
    remainder_ -= carry * twice_major_;
    minor_ += carry * minor_sign_;
  }

  uint64_t* const tiles_;
  const std::size_t tiles_across_;
  int64_t major_;
  int64_t minor_;
  const int64_t steps_;
  const int64_t major_sign_;
  const int64_t minor_sign_;
  const int64_t twice_major_;
  const int64_t twice_minor_;
  int64_t remainder_;
  int64_t moved_by_7_ = 0;
  int64_t remainder_by_7_ = 0;
  int64_t moved_by_8_ = 0;
  int64_t remainder_by_8_ = 0;
  bool leaps_known_ = false;
};

}  // namespace

void PreviewBitmap::DrawInsideLine(int32_t from_column, int32_t from_row,
                                   int32_t to_column, int32_t to_row) {
  const int64_t dx = std::abs(int64_t{to_column} - from_column);
  const int64_t dy = std::abs(int64_t{to_row} - from_row);
  const int64_t sign_x = to_column >= from_column ? 1 : -1;
  const int64_t sign_y = to_row >= from_row ? 1 : -1;
  if (dx == 0 && dy == 0) return;
  rows_stale_ = true;
  if (dx >= dy) {
    InsideWalk<true>(tiles_.data(), tiles_across_, from_column, from_row, dx,
                     dy, sign_x, sign_y)
        .Draw();
  } else {
    InsideWalk<false>(tiles_.data(), tiles_across_, from_row, from_column, dy,
                      dx, sign_y, sign_x)
        .Draw();
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
