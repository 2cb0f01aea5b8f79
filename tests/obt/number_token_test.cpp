#include "obt/number_token.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

struct TokenCase {
  std::string token;
  std::optional<int32_t> value;  // nothing: malformed
};

TEST(ParseNumberTokenTest, AcceptsAndRefusesTokens) {
  const std::vector<TokenCase> cases = {
      // Decimal forms.
      {"0", 0},
      {"+7", 7},
      {"007", 7},
      {"-0", 0},
      {"-35", -35},
      {"2147483647", 2147483647},
      {"-2147483648", INT32_MIN},
      {"+2147483647", 2147483647},
      {"00000000000000000000000000000012", 12},  // 32 bytes, zeros allowed
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"+2147483648", std::nullopt},
      {"99999999999999999999", std::nullopt},
      // Hexadecimal forms: the 32-bit pattern is the value.
      {"$1A", 26},
      {"$1a", 26},
      {"$0", 0},
      {"$00", 0},
      {"$7FFFFFFF", 2147483647},
      {"$80000000", INT32_MIN},
      {"$FFFFFFFF", -1},
      {"$000000001", 1},  // leading zeros are not significant
      {"$0000000000000000FFFFFFFF", -1},
      {"$100000000", std::nullopt},  // nine significant digits
      {"$", std::nullopt},
      {"$G", std::nullopt},
      {"$1G", std::nullopt},
      {"$-1", std::nullopt},
      {"$+1", std::nullopt},
      {"$$1", std::nullopt},
      // Signs in the wrong place.
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"-$5", std::nullopt},
      {"+$5", std::nullopt},
      {"+-5", std::nullopt},
      {"-+5", std::nullopt},
      {"--5", std::nullopt},
      {"5-", std::nullopt},
      {"1-2", std::nullopt},
      // Separators and letters inside a token.
      {"1,2,3", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
      {"0x1A", std::nullopt},
      {"12abc", std::nullopt},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {"\x7F", std::nullopt},
      {"5\x80", std::nullopt},
  };
  for (const TokenCase& c : cases) {
    EXPECT_EQ(obt::ParseNumberToken(c.token), c.value)
        << "token \"" << c.token << "\"";
  }
}

// The short form one byte at a time, as the definition reads.
std::optional<std::pair<int32_t, std::size_t>> ShortDecimalByDefinition(
    const std::string& text, std::size_t limit) {
  std::size_t at = text[0] == '-' ? 1 : 0;
  const std::size_t first = at;
  int32_t magnitude = 0;
  while (at < limit && at - first < 9 && text[at] >= '0' && text[at] <= '9') {
    magnitude = magnitude * 10 + (text[at++] - '0');
  }
  if (at == first) return std::nullopt;
  return std::pair{text[0] == '-' ? -magnitude : magnitude, at};
}

TEST(ParseShortDecimalTest, EveryLengthEndingAndLimit) {
  // Every digit count around the eight read at once, ended by every byte
  // that is no digit, with the limit anywhere from the first byte to well
  // past the token.
  for (const std::string sign : {"", "-"}) {
    for (std::size_t digits = 0; digits <= 11; ++digits) {
      for (int after = 0; after < 256; ++after) {
        if (after >= '0' && after <= '9') continue;
        std::string text = sign;
        for (std::size_t d = 0; d < digits; ++d) {
          text += static_cast<char>('1' + (d * 7 + digits) % 9);
        }
        text += static_cast<char>(after);
        text += "7654321";
        for (std::size_t limit = 1; limit <= text.size(); ++limit) {
          const auto got =
              obt::ParseShortDecimal(text.data(), text.data() + limit);
          const auto expected = ShortDecimalByDefinition(text, limit);
          ASSERT_EQ(got.has_value(), expected.has_value()) << text;
          if (!got) continue;
          ASSERT_EQ(got->value, expected->first) << text << " " << limit;
          ASSERT_EQ(got->end - text.data(), expected->second)
              << text << " " << limit;
        }
      }
    }
  }
}

}  // namespace
