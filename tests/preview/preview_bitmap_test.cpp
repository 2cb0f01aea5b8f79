#include "preview/preview_bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace preview {
namespace {

using Pixel = std::pair<int32_t, int32_t>;

std::set<Pixel> BlackPixels(const PreviewBitmap& bitmap) {
  std::set<Pixel> black;
  for (int32_t row = 0; row < bitmap.height(); ++row) {
    for (int32_t column = 0; column < bitmap.width(); ++column) {
      if (bitmap.IsBlack(column, row)) black.insert({column, row});
    }
  }
  return black;
}

TEST(PreviewBitmapTest, NewBitmapIsWhite) {
  const PreviewBitmap bitmap(231, 177);
  EXPECT_EQ(bitmap.width(), 231);
  EXPECT_EQ(bitmap.height(), 177);
  EXPECT_EQ(bitmap.bytes_per_row(), 29u);
  EXPECT_EQ(bitmap.CountBlack(), 0);
  EXPECT_FALSE(bitmap.IsBlack(-1, 0));
  EXPECT_FALSE(bitmap.IsBlack(231, 0));

  const PreviewBitmap empty(-4, 3);
  EXPECT_EQ(empty.width(), 0);
  EXPECT_EQ(empty.CountBlack(), 0);
}

struct LineCase {
  std::string name;
  Pixel from;
  Pixel to;
  std::set<Pixel> black;
};

// On a bitmap of 8 x 6: the end pixel is left out, and whatever lies
// outside is clipped.
TEST(PreviewBitmapTest, LineToDrawsAllButTheEndPixel) {
  const std::vector<LineCase> cases = {
      {"right", {0, 0}, {5, 0}, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
      {"left", {5, 0}, {0, 0}, {{5, 0}, {4, 0}, {3, 0}, {2, 0}, {1, 0}}},
      {"down", {0, 0}, {0, 3}, {{0, 0}, {0, 1}, {0, 2}}},
      {"up", {2, 3}, {2, 0}, {{2, 3}, {2, 2}, {2, 1}}},
      {"diagonal", {0, 0}, {3, 3}, {{0, 0}, {1, 1}, {2, 2}}},
      {"back diagonal", {3, 0}, {0, 3}, {{3, 0}, {2, 1}, {1, 2}}},
      {"one step", {4, 4}, {5, 4}, {{4, 4}}},
      {"no length", {1, 1}, {1, 1}, {}},
      {"from the left outside", {-3, 2}, {3, 2}, {{0, 2}, {1, 2}, {2, 2}}},
      {"past the right edge", {5, 5}, {9, 5}, {{5, 5}, {6, 5}, {7, 5}}},
      {"along the right column",
       {7, 0},
       {7, 6},
       {{7, 0}, {7, 1}, {7, 2}, {7, 3}, {7, 4}, {7, 5}}},
      {"one past the bottom", {0, 6}, {8, 6}, {}},
      {"from one past the corner", {8, 6}, {5, 3}, {{7, 5}, {6, 4}}},
      {"far away", {-2000000000, -5}, {2000000000, -5}, {}},
      {"across the 32-bit range",
       {std::numeric_limits<int32_t>::min(), 3},
       {std::numeric_limits<int32_t>::max(), 3},
       {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}, {7, 3}}},
      {"steep across the 32-bit range",
       {3, std::numeric_limits<int32_t>::min()},
       {4, std::numeric_limits<int32_t>::max()},
       // Row 0 is just past the middle of the line: x is 3.5000000001.
       {{4, 0}, {4, 1}, {4, 2}, {4, 3}, {4, 4}, {4, 5}}},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.name);
    PreviewBitmap bitmap(8, 6);
    bitmap.MoveTo(c.from.first, c.from.second);
    bitmap.LineTo(c.to.first, c.to.second);
    EXPECT_EQ(BlackPixels(bitmap), c.black);
  }
}

// For lines in every direction: as many pixels as the longer axis has
// steps, each the nearest to the ideal line on the shorter axis.
TEST(PreviewBitmapTest, LinesFollowTheIdealLine) {
  const Pixel centre{20, 15};
  for (int32_t dx = -12; dx <= 12; ++dx) {
    for (int32_t dy = -12; dy <= 12; ++dy) {
      SCOPED_TRACE(::testing::Message() << "dx " << dx << " dy " << dy);
      PreviewBitmap bitmap(41, 31);
      bitmap.MoveTo(centre.first, centre.second);
      bitmap.LineTo(centre.first + dx, centre.second + dy);
      const std::set<Pixel> black = BlackPixels(bitmap);
      ASSERT_EQ(static_cast<int32_t>(black.size()),
                std::max(std::abs(dx), std::abs(dy)));
      if (black.empty()) continue;
      EXPECT_TRUE(black.contains(centre));
      EXPECT_FALSE(black.contains({centre.first + dx, centre.second + dy}));
      for (const auto& [column, row] : black) {
        const double along_x = column - centre.first;
        const double along_y = row - centre.second;
        if (std::abs(dx) >= std::abs(dy)) {
          EXPECT_LE(std::abs(along_y - along_x * dy / dx), 0.5)
              << column << "," << row;
        } else {
          EXPECT_LE(std::abs(along_x - along_y * dx / dy), 0.5)
              << column << "," << row;
        }
      }
    }
  }
}

// A line that starts or ends off the bitmap shows exactly the pixels the
// whole line has there.
TEST(PreviewBitmapTest, ClippingKeepsThePixelsOfTheWholeLine) {
  const Pixel start{25, 20};  // off the small bitmap
  int64_t shown = 0;          // on the small bitmap, over all lines
  for (int32_t dx = -24; dx <= 24; dx += 3) {
    for (int32_t dy = -19; dy <= 10; ++dy) {
      for (const bool reversed : {false, true}) {
        SCOPED_TRACE(::testing::Message() << "dx " << dx << " dy " << dy
                                          << " reversed " << reversed);
        Pixel from = start;
        Pixel to{start.first + dx, start.second + dy};
        if (reversed) std::swap(from, to);
        PreviewBitmap whole(50, 40);
        PreviewBitmap small(21, 16);
        for (PreviewBitmap* bitmap : {&whole, &small}) {
          bitmap->MoveTo(from.first, from.second);
          bitmap->LineTo(to.first, to.second);
        }
        for (int32_t row = 0; row < small.height(); ++row) {
          for (int32_t column = 0; column < small.width(); ++column) {
            ASSERT_EQ(small.IsBlack(column, row), whole.IsBlack(column, row))
                << column << "," << row;
          }
        }
        shown += small.CountBlack();
      }
    }
  }
  // Two white bitmaps would agree as well.
  EXPECT_GT(shown, 0);
}

TEST(PreviewBitmapTest, ClosedOutlineCoversEveryCorner) {
  PreviewBitmap bitmap(20, 20);
  bitmap.MoveTo(1, 18);
  bitmap.LineTo(10, 2);
  bitmap.LineTo(18, 15);
  bitmap.LineTo(1, 18);
  EXPECT_TRUE(bitmap.IsBlack(1, 18));
  EXPECT_TRUE(bitmap.IsBlack(10, 2));
  EXPECT_TRUE(bitmap.IsBlack(18, 15));
  // No pixel is drawn twice in a row, so the sum of the three lines' steps
  // is an upper bound.
  EXPECT_LE(bitmap.CountBlack(), 16 + 13 + 17);
}

TEST(PreviewBitmapTest, RowsArePackedLeftmostPixelFirst) {
  PreviewBitmap bitmap(10, 2);
  bitmap.MoveTo(0, 0);
  bitmap.LineTo(2, 0);
  bitmap.MoveTo(8, 1);
  bitmap.LineTo(10, 1);
  ASSERT_EQ(bitmap.bytes_per_row(), 2u);
  EXPECT_EQ(bitmap.Row(0)[0], 0xC0);
  EXPECT_EQ(bitmap.Row(0)[1], 0x00);
  EXPECT_EQ(bitmap.Row(1)[0], 0x00);
  EXPECT_EQ(bitmap.Row(1)[1], 0xC0);
}

// The pixels of a line by the rule itself, one by one: step k of the longer
// axis has the shorter one at the nearest whole number to k minor / major,
// a half toward the end, and the end pixel is left out.
void DrawByTheRule(std::vector<std::vector<bool>>& black, Pixel from,
                   Pixel to) {
  const int64_t dx = to.first - from.first;
  const int64_t dy = to.second - from.second;
  const int64_t major = std::max(std::abs(dx), std::abs(dy));
  for (int64_t k = 0; k < major; ++k) {
    const auto nearest = [&](int64_t d) {
      const int64_t moved = (2 * k * std::abs(d) + major) / (2 * major);
      return d >= 0 ? moved : -moved;
    };
    black[from.second + nearest(dy)][from.first + nearest(dx)] = true;
  }
}

// Long lines in every direction until the box is black where they run, so
// that lines pass over black tiles: every pixel, every time, as by the
// rule; and two bitmaps merged hold the lines of both.
TEST(PreviewBitmapTest, ManyLinesAndMergedBitmapsKeepThePixelsOfTheRule) {
  constexpr int32_t kWidth = 231;
  constexpr int32_t kHeight = 177;
  std::mt19937 random(11);
  std::uniform_int_distribution<int32_t> column(0, kWidth - 1);
  std::uniform_int_distribution<int32_t> row(0, kHeight - 1);
  std::vector<std::vector<bool>> expected(kHeight, std::vector<bool>(kWidth));
  PreviewBitmap halves[2] = {{kWidth, kHeight}, {kWidth, kHeight}};
  for (int batch = 0; batch < 40; ++batch) {
    for (int line = 0; line < 500; ++line) {
      // A third of the lines within a band, so that black tiles build up.
      const Pixel from{column(random), row(random) / (line % 3 == 0 ? 3 : 1)};
      const Pixel to{column(random), row(random) / (line % 3 == 0 ? 3 : 1)};
      DrawByTheRule(expected, from, to);
      PreviewBitmap& half = halves[line % 2];
      half.MoveTo(from.first, from.second);
      half.LineTo(to.first, to.second);
    }
    PreviewBitmap merged(kWidth, kHeight);
    merged.MergeFrom(halves[0]);
    merged.MergeFrom(halves[1]);
    int64_t count = 0;
    for (int32_t y = 0; y < kHeight; ++y) {
      for (int32_t x = 0; x < kWidth; ++x) {
        ASSERT_EQ(merged.IsBlack(x, y), expected[y][x])
            << "batch " << batch << " at " << x << "," << y;
        count += expected[y][x] ? 1 : 0;
        const bool in_row = (merged.Row(y)[x >> 3] & (0x80 >> (x & 7))) != 0;
        ASSERT_EQ(in_row, expected[y][x]);
      }
    }
    ASSERT_EQ(merged.CountBlack(), count);
  }
}

}  // namespace
}  // namespace preview
