#include "obt/number_token.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
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

}  // namespace
