#include "preview/outline_drawer.h"

#include <gtest/gtest.h>

#include <random>

namespace preview {
namespace {

// With a helper thread or without, the outlines give the same pixels: the
// bitmap shared in batches is merged back whole.
TEST(OutlineDrawerTest, HelperDrawsTheSamePixels) {
  constexpr int32_t kWidth = 120;
  constexpr int32_t kHeight = 90;
  std::mt19937 random(5);
  std::uniform_int_distribution<int32_t> column(-2, kWidth + 1);
  std::uniform_int_distribution<int32_t> row(-2, kHeight + 1);
  PreviewBitmap alone(kWidth, kHeight);
  PreviewBitmap shared(kWidth, kHeight);
  {
    OutlineDrawer one(alone, false);
    OutlineDrawer two(shared, true);
    for (int i = 0; i < 30000; ++i) {
      const PreviewPoint a{column(random), row(random) / 4};
      const PreviewPoint b{column(random) / 4, row(random)};
      const PreviewPoint c{column(random), row(random)};
      one.Add(a, b, c);
      two.Add(a, b, c);
    }
    one.Finish();
    two.Finish();
  }
  ASSERT_GT(alone.CountBlack(), 0);
  for (int32_t y = 0; y < kHeight; ++y) {
    for (int32_t x = 0; x < kWidth; ++x) {
      ASSERT_EQ(shared.IsBlack(x, y), alone.IsBlack(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace preview
