#include "preview/real6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "preview/view_projection.h"

namespace preview {
namespace {

Extended Pow2(int exponent) { return std::ldexp(1.0L, exponent); }

struct BytesCase {
  std::string name;
  Extended value;
  Real6::Bytes bytes;
};

// Values that a Real6 holds exactly, and then values that it rounds.
TEST(Real6Test, FromExtendedGivesBytes) {
  const std::vector<BytesCase> cases = {
      {"zero", 0, {0, 0, 0, 0, 0, 0}},
      {"minus zero", -0.0L, {0, 0, 0, 0, 0, 0}},
      {"one", 1, {0x81, 0, 0, 0, 0, 0}},
      {"minus one", -1, {0x81, 0, 0, 0, 0, 0x80}},
      {"one half", 0.5L, {0x80, 0, 0, 0, 0, 0}},
      {"one and a half", 1.5L, {0x81, 0, 0, 0, 0, 0x40}},
      {"ten", 10, {0x84, 0, 0, 0, 0, 0x20}},
      {"57.5", 57.5L, {0x86, 0, 0, 0, 0, 0x66}},
      {"largest int32", 2147483647, {0x9F, 0x00, 0xFE, 0xFF, 0xFF, 0x7F}},
      {"smallest int32", -2147483648.0L, {0xA0, 0, 0, 0, 0, 0x80}},
      {"depth factor", 0.707106781L, kDepthFactor.bytes()},
      {"height factor", 0.7L, kHeightFactor.bytes()},
      {"forty ones", 2 - Pow2(-39), {0x81, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
      {"smallest", Pow2(-128), {0x01, 0, 0, 0, 0, 0}},
      {"largest",
       (2 - Pow2(-39)) * Pow2(126),
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
      // A tie goes away from zero, where ties to even would stay at 1.
      {"tie up", 1 + Pow2(-40), {0x81, 0x01, 0, 0, 0, 0}},
      {"tie down", -(1 + Pow2(-40)), {0x81, 0x01, 0, 0, 0, 0x80}},
      {"tie from odd", 1 + 3 * Pow2(-40), {0x81, 0x02, 0, 0, 0, 0}},
      {"below the tie", 1 + Pow2(-40) - Pow2(-63), {0x81, 0, 0, 0, 0, 0}},
      {"above the tie", 1 + Pow2(-40) + Pow2(-63), {0x81, 0x01, 0, 0, 0, 0}},
      // Forty ones and a dropped one carry into the exponent.
      {"carry", 2 - Pow2(-40), {0x82, 0, 0, 0, 0, 0}},
      {"carry negative", -(4 - Pow2(-39)), {0x83, 0, 0, 0, 0, 0x80}},
      {"underflow", Pow2(-129), {0, 0, 0, 0, 0, 0}},
      {"underflow negative", -1.5L * Pow2(-129), {0, 0, 0, 0, 0, 0}},
      {"far underflow", Pow2(-16000), {0, 0, 0, 0, 0, 0}},
      // The exponent is judged after the carry.
      {"carry out of underflow",
       (2 - Pow2(-40)) * Pow2(-129),
       {0x01, 0, 0, 0, 0, 0}},
  };
  for (const BytesCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Real6::FromExtended(c.value).bytes(), c.bytes);
  }
}

TEST(Real6Test, ToExtendedIsExact) {
  const std::vector<BytesCase> cases = {
      {"one", 1, {0x81, 0, 0, 0, 0, 0}},
      {"zero exponent wins", 0, {0x00, 0x12, 0x34, 0x56, 0x78, 0xFF}},
      {"forty ones", 2 - Pow2(-39), {0x81, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
      {"smallest", -Pow2(-128), {0x01, 0, 0, 0, 0, 0x80}},
      {"largest",
       (2 - Pow2(-39)) * Pow2(126),
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}},
      {"lowest fraction bit", 1 + Pow2(-39), {0x81, 0x01, 0, 0, 0, 0}},
      {"each byte",
       -(1 + Pow2(-39) + Pow2(-31) + Pow2(-23) + Pow2(-15) + Pow2(-7)) *
           Pow2(-3),
       {0x7E, 0x01, 0x01, 0x01, 0x01, 0x81}},
  };
  for (const BytesCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Real6(c.bytes).ToExtended(), c.value);
  }
}

TEST(Real6Test, ConstantsHoldTheirValues) {
  EXPECT_NEAR(kDepthFactor.ToExtended(), 0.7071067810002205L, 1e-16L);
  EXPECT_NEAR(kHeightFactor.ToExtended(), 0.6999999999998181L, 1e-16L);
  EXPECT_EQ(kUnitFactor.ToExtended(), 1);
  EXPECT_EQ(Real6::FromExtended(1).bytes(), kUnitFactor.bytes());
}

TEST(Real6Test, OverflowRaises) {
  const std::vector<Extended> too_large = {
      Pow2(127),
      -Pow2(127),
      (2 - Pow2(-40)) * Pow2(126),  // carries into exponent 256
      Pow2(16000),
      std::numeric_limits<Extended>::infinity(),
      std::numeric_limits<Extended>::quiet_NaN(),
  };
  for (const Extended value : too_large) {
    SCOPED_TRACE(value);
    EXPECT_THROW(Real6::FromExtended(value), FloatOverflow);
  }
  try {
    Real6::FromExtended(Pow2(200));
    FAIL() << "no overflow";
  } catch (const FloatOverflow& error) {
    EXPECT_STREQ(error.what(), "Gleitkommaüberlauf");
  }
}

}  // namespace
}  // namespace preview
