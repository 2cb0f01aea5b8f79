#include "cli/octant_option.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

namespace cli {
namespace {

using Checked = std::array<bool, 8>;

struct TargetCase {
  std::string text;
  std::optional<Checked> expected;
};

TEST(OctantOptionTest, TargetListsNameOnlyTheEightCodes) {
  const std::vector<TargetCase> cases = {
      {"2", Checked{false, true}},
      {"2,4,64", Checked{false, true, true, false, false, false, true}},
      {"128,1", Checked{true, false, false, false, false, false, false, true}},
      {"2,2", Checked{false, true}},
      {"all", Checked{true, true, true, true, true, true, true, true}},
      {"none", Checked{}},
      {"", std::nullopt},
      {"2,", std::nullopt},
      {",2", std::nullopt},
      {"2,5", std::nullopt},
      {"3", std::nullopt},
      {"0", std::nullopt},
      {"256", std::nullopt},
      {"02", std::nullopt},
      {"+2", std::nullopt},
      {" 2", std::nullopt},
      {"ALL", std::nullopt},
  };
  for (const TargetCase& c : cases) {
    EXPECT_EQ(ParseTargetOctants(c.text), c.expected) << "'" << c.text << "'";
  }
}

TEST(OctantOptionTest, SourceIsExactlyOneCode) {
  EXPECT_EQ(ParseSourceOctant("1"), (Checked{true}));
  EXPECT_EQ(ParseSourceOctant("64"),
            (Checked{false, false, false, false, false, false, true}));
  for (const char* bad : {"", "3", "0", "2,4", "all", "none", "1 "}) {
    EXPECT_EQ(ParseSourceOctant(bad), std::nullopt) << "'" << bad << "'";
  }
}

}  // namespace
}  // namespace cli
