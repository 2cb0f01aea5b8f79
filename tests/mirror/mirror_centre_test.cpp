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
  bool taken_whole;
};

TEST(MirrorCentreTest, TextsAndTheirValues) {
  const std::vector<CentreCase> cases = {
      {"", "", 0, true},
      {"abc", "", 0, false},
      {"+7", "+7", 7, true},
      {"-35", "-35", -35, true},
      {" 120 ", "120", 120, false},
      {"12,5", "125", 125, false},
      {"12.5", "125", 125, false},
      {"1-2", "1-2", 1, false},
      {"-12-", "-12-", 12, false},
      {"--5", "--5", 0, false},
      {"-", "-", 0, false},
      {"+", "+", 0, false},
      {"+-5", "+-5", 0, false},
      {"5+", "5+", 5, false},
      {"1 000 000", "1000000", 1000000, false},
      {"\t-0x10\n", "-010", -10, false},
      {"1e5", "15", 15, false},
      {"ä4ö2", "42", 42, false},
      // The ends of the 32-bit range.
      {"2147483647", "2147483647", 2147483647, true},
      {"-2147483648", "-2147483648", INT32_MIN, true},
      {"2147483648", "2147483648", std::nullopt, true},
      {"+2147483648", "+2147483648", std::nullopt, true},
      {"-2147483649", "-2147483649", std::nullopt, true},
      // A conversion that stops early drops the sign, so the magnitude
      // alone must fit.
      {"-2147483648-", "-2147483648-", std::nullopt, false},
      {"-2147483647-", "-2147483647-", 2147483647, false},
      {"99999999999999999999999", "99999999999999999999999", std::nullopt,
       true},
      {"00000000000000000000042", "00000000000000000000042", 42, true},
      {"--99999999999", "--99999999999", 0, false},
  };
  for (const CentreCase& c : cases) {
    EXPECT_EQ(mirror::FilterNumberText(c.text), c.filtered)
        << "text \"" << c.text << "\"";
    EXPECT_EQ(mirror::ReadCentreText(c.text),
              (mirror::CentreReading{c.value, c.taken_whole}))
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
