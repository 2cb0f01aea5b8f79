#include "preview/extended.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace preview {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

struct ConversionCase {
  Extended value;
  int32_t truncated;
  int32_t rounded;
};

TEST(ExtendedTest, TruncAndRound) {
  // The largest Extended below one half.
  const Extended below_half = 0.5L - std::ldexp(1.0L, -65);
  const std::vector<ConversionCase> cases = {
      {0, 0, 0},
      {-4.88L, -4, -5},
      {4.88L, 4, 5},
      {57.5L, 57, 58},
      {172.5L, 172, 172},
      {0.5L, 0, 0},
      {1.5L, 1, 2},
      {2.5L, 2, 2},
      {-0.5L, 0, 0},
      {-1.5L, -1, -2},
      {-2.5L, -2, -2},
      {-57.5L, -57, -58},
      {below_half, 0, 0},
      {-below_half, 0, 0},
      {1.5L - std::ldexp(1.0L, -63), 1, 1},
      {2147483646.5L, 2147483646, 2147483646},
      {2147483647.4L, kMax, kMax},
      // Rounds to 2^31, one past the range.
      {2147483647.5L, kMax, kMax},
      {2147483648.0L, kMax, kMax},
      {1e30L, kMax, kMax},
      {-2147483647.5L, -2147483647, kMin},
      {-2147483648.5L, kMin, kMin},
      {-2147483648.9L, kMin, kMin},
      {-2147483649.0L, kMin, kMin},
      {-1e30L, kMin, kMin},
      {std::numeric_limits<Extended>::infinity(), kMax, kMax},
      {-std::numeric_limits<Extended>::infinity(), kMin, kMin},
      {std::numeric_limits<Extended>::quiet_NaN(), 0, 0},
  };
  for (const ConversionCase& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(Trunc(c.value), c.truncated);
    EXPECT_EQ(Round(c.value), c.rounded);
  }
}

TEST(ExtendedTest, SaturateToInt32) {
  EXPECT_EQ(SaturateToInt32(int64_t{kMax} + 1), kMax);
  EXPECT_EQ(SaturateToInt32(int64_t{kMin} - 1), kMin);
  EXPECT_EQ(SaturateToInt32(-5), -5);
}

// The preview's pictures depend on every step being rounded to a 64-bit
// significand; a wider or fused evaluation would keep the lost bit.
TEST(ExtendedTest, EachOperationRoundsToSixtyFourBits) {
  volatile Extended one = 1;
  const Extended tiny = std::ldexp(one, -64);
  const Extended sum = one + tiny;
  EXPECT_EQ(sum - one, 0);
  const Extended almost = one + std::ldexp(one, -63);
  EXPECT_EQ(almost * almost - one, std::ldexp(one, -62));
}

}  // namespace
}  // namespace preview
