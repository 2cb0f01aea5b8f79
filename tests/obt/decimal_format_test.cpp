#include "obt/decimal_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace {

std::string Formatted(int32_t value) {
  char out[obt::kMaxDecimalLength];
  return std::string(out, obt::WriteDecimal(out, value));
}

std::string Reference(int32_t value) {
  char out[obt::kMaxDecimalLength];
  return std::string(out, std::to_chars(out, out + sizeof out, value).ptr);
}

TEST(DecimalFormatTest, MatchesPlainDecimalAtEveryDigitBoundary) {
  for (int64_t power = 1; power <= 1'000'000'000; power *= 10) {
    for (const int64_t near : {power - 1, power, power + 1}) {
      for (const int64_t value : {near, -near}) {
        const auto v = static_cast<int32_t>(value);
        EXPECT_EQ(Formatted(v), Reference(v)) << value;
      }
    }
  }
  EXPECT_EQ(Formatted(0), "0");
  EXPECT_EQ(Formatted(std::numeric_limits<int32_t>::max()), "2147483647");
  EXPECT_EQ(Formatted(std::numeric_limits<int32_t>::min()), "-2147483648");
}

TEST(DecimalFormatTest, MatchesPlainDecimalForEverySmallNumber) {
  // Every length up to six digits, with and without a sign: the leading
  // zeros of the eight-digit word are cut by their count.
  for (int32_t v = -1'000'000; v <= 1'000'000; ++v) {
    ASSERT_EQ(Formatted(v), Reference(v)) << v;
  }
}

TEST(DecimalFormatTest, MatchesPlainDecimalAcrossTheRange) {
  // Every digit pair in every position, by a full-period walk.
  uint32_t state = 1;
  for (int i = 0; i < 200'000; ++i) {
    state = state * 1664525u + 1013904223u;
    const auto v = static_cast<int32_t>(state);
    ASSERT_EQ(Formatted(v), Reference(v)) << v;
  }
}

TEST(DecimalFormatTest, LinesOfNumbers) {
  char out[2 * obt::kMaxNumberLineLength<4>];
  EXPECT_EQ(std::string(out, obt::WriteNumberLine(out, 0, -1, 2147483647)),
            "0 -1 2147483647\r\n");
  EXPECT_EQ(
      std::string(out, obt::WriteNumberLine(out, int32_t{-2147483647 - 1})),
      "-2147483648\r\n");
}

TEST(DecimalFormatTest, LinesEndingInEveryByteValue) {
  // The largest corners, so that the table's word is stored furthest out.
  char out[obt::kMaxNumberLineLength<4>];
  const int32_t low = std::numeric_limits<int32_t>::min();
  for (int last = 0; last < 256; ++last) {
    char* const end = obt::WriteNumberLineEndingInByte(
        out, static_cast<uint8_t>(last), low, low, low);
    ASSERT_EQ(std::string(out, end), "-2147483648 -2147483648 -2147483648 " +
                                         std::to_string(last) + "\r\n");
  }
}

}  // namespace
