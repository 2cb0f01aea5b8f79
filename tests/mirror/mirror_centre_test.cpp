#include "mirror/mirror_centre.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

struct CentreCase {
  std::string text;
  std::string filtered;
  std::optional<int32_t> value;  // nothing: out of range
};

TEST(MirrorCentreTest, TextsAndTheirValues) {
  const std::vector<CentreCase> cases = {
      {"", "", 0},
      {"abc", "", 0},
      {"+7", "+7", 7},
      {"-35", "-35", -35},
      {" 120 ", "120", 120},
      {"12,5", "125", 125},
      {"12.5", "125", 125},
      {"1-2", "1-2", 1},
      {"-12-", "-12-", 12},
      {"--5", "--5", 0},
      {"-", "-", 0},
      {"+", "+", 0},
      {"+-5", "+-5", 0},
      {"5+", "5+", 5},
      {"1 000 000", "1000000", 1000000},
      {"\t-0x10\n", "-010", -10},
      {"1e5", "15", 15},
      {"ä4ö2", "42", 42},
      // The ends of the 32-bit range.
      {"2147483647", "2147483647", 2147483647},
      {"-2147483648", "-2147483648", INT32_MIN},
      {"2147483648", "2147483648", std::nullopt},
      {"+2147483648", "+2147483648", std::nullopt},
      {"-2147483649", "-2147483649", std::nullopt},
      // A conversion that stops early drops the sign, so the magnitude
      // alone must fit.
      {"-2147483648-", "-2147483648-", std::nullopt},
      {"-2147483647-", "-2147483647-", 2147483647},
      {"99999999999999999999999", "99999999999999999999999", std::nullopt},
      {"00000000000000000000042", "00000000000000000000042", 42},
      {"--99999999999", "--99999999999", 0},
  };
  for (const CentreCase& c : cases) {
    EXPECT_EQ(mirror::FilterNumberText(c.text), c.filtered)
        << "text \"" << c.text << "\"";
    EXPECT_EQ(mirror::CentreTextValue(c.text), c.value)
        << "text \"" << c.text << "\"";
  }
}

TEST(MirrorCentreTest, ReadMirrorCentreTakesAllThreeOrNone) {
  mirror::MirrorCentre centre{1, 2, 3};
  EXPECT_TRUE(mirror::ReadMirrorCentre("10", " -2 0", "abc", centre));
  EXPECT_EQ(centre, (mirror::MirrorCentre{10, -20, 0}));
  for (const auto& texts :
       std::vector<std::vector<std::string>>{{"2147483648", "0", "0"},
                                             {"0", "-2147483648-", "0"},
                                             {"0", "0", "99999999999"}}) {
    EXPECT_FALSE(
        mirror::ReadMirrorCentre(texts[0], texts[1], texts[2], centre));
    EXPECT_EQ(centre, (mirror::MirrorCentre{10, -20, 0}));
  }
}

}  // namespace
