#include "obt/decimal_format.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "obt/triangle_lines.h"

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

TEST(DecimalFormatTest, TriangleLinesAsLineByLine) {
  // Eight lines at a time where every corner has at most eight digits, one
  // by one where a group holds another: boundaries of every length, the
  // first too large and negative ones, among random point numbers; shifted
  // as a copy shifts them, too into the negative.
  const int32_t low = std::numeric_limits<int32_t>::min();
  const int32_t high = std::numeric_limits<int32_t>::max();
  std::vector<int32_t> special = {0, 100'000'000, -1, low, high};
  for (int32_t power = 1; power <= 10'000'000; power *= 10) {
    special.insert(special.end(), {power - 1, power, 10 * power - 1});
  }
  struct Case {
    const char* name;
    std::size_t count;
    // Every so many corners a random int32_t instead; 0 for none.
    std::size_t random_every;
    // Each special corner alone in a group of eight lines.
    bool special_corners;
    work::TriangleShift shift = {};
  };
  const Case cases[] = {
      {"none", 0, 0, false},
      {"fewer than eight", 7, 0, false},
      {"eight", 8, 0, false},
      {"one more", 9, 0, false},
      {"many", 1001, 0, false},
      {"shifted and flipped", 1001, 0, false, {7'000'000, true}},
      {"shifted to be negative", 1001, 0, false, {0xFFFF'0000u, false}},
      {"some too large", 1001, 37, false},
      {"special corners", special.size() * 8, 0, true}};
  uint32_t state = 7;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state;
  };
  for (const Case& c : cases) {
    std::vector<work::TableEntry> corners;
    std::vector<uint8_t> fourth;
    for (std::size_t i = 0; i < c.count; ++i) {
      work::TableEntry corner;
      for (std::size_t k = 0; k < 3; ++k) {
        const std::size_t n = 3 * i + k;
        if (c.special_corners && i % 8 == 5) {
          corner[k] = special[i / 8];
        } else if (c.random_every != 0 && n % c.random_every == 0) {
          corner[k] = static_cast<int32_t>(next());
        } else {
          // A point number of any length up to eight digits.
          corner[k] = static_cast<int32_t>(next() % 100'000'000 >> next() % 27);
        }
      }
      corners.push_back(corner);
      fourth.push_back(static_cast<uint8_t>(next()));
    }
    std::string expected;
    char line[obt::kMaxNumberLineLength<4>];
    for (std::size_t i = 0; i < c.count; ++i) {
      const work::TableEntry shifted =
          work::ShiftedTriangle(c.shift, corners[i]);
      expected.append(
          line, obt::WriteNumberLineEndingInByte(line, fourth[i], shifted[0],
                                                 shifted[1], shifted[2]));
    }
    const std::size_t room = c.count * obt::kMaxNumberLineLength<4>;
    std::string out(room + 16, '#');
    char* const end = obt::WriteTriangleLines(out.data(), corners.data(),
                                              fourth.data(), c.count, c.shift);
    EXPECT_EQ(std::string(out.data(), end), expected) << c.name;
    EXPECT_EQ(out.substr(room), std::string(16, '#')) << c.name;
  }
}

}  // namespace
