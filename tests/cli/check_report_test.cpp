#include "cli/check_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/json_text.h"

namespace {

using geometry::FindingKind;

TEST(CheckReportTest, KeepsTheFirstTenOfAKindByLineAndCountsTheRest) {
  geometry::FindingList findings;
  findings.Add({FindingKind::kCentre, 0, {0, 5, 0}});
  // Edges come out of a hash table in no order.
  for (int64_t line = 12; line >= 1; --line) {
    findings.Add({FindingKind::kOpenEdge, line, {line, line + 1}});
  }
  findings.Add({FindingKind::kTextAfterEnd, 40});
  std::string expected = "mirror centre 0 5 0 (y \"5a\" taken as 5)\n";
  expected +=
      "40: text after the end of the object, which the run does not copy\n";
  for (int line = 1; line <= 10; ++line) {
    const std::string n = std::to_string(line);
    expected += n + ": edge " + n + "-" + std::to_string(line + 1) +
                " is open: the result has a hole there\n";
  }
  expected +=
      "... and 2 more open edges\n"
      "12 findings spoil the result; 2 are information\n";
  EXPECT_EQ(cli::TextReport(findings, {"/s.obt", {"y \"5a\" taken as 5"}}),
            expected);
}

TEST(CheckReportTest, WritesEveryByteAsValidJson) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"plain /tmp/a.obt", "\"plain /tmp/a.obt\""},
      {"quote \" and \\", "\"quote \\\" and \\\\\""},
      {"tab\tCR\r\x7f", "\"tab\\u0009CR\\u000d\\u007f\""},
      {"UTF-8 \xc3\xbc \xe2\x82\xac \xf0\x9f\x98\x80",
       "\"UTF-8 \xc3\xbc \xe2\x82\xac \xf0\x9f\x98\x80\""},
      // Latin-1, an overlong form, a surrogate, a cut sequence.
      {"\xfc \xc0\xaf \xed\xa0\x80 \xe2\x82",
       "\"\\u00fc \\u00c0\\u00af \\u00ed\\u00a0\\u0080 \\u00e2\\u0082\""},
  };
  for (const auto& [bytes, json] : cases) {
    EXPECT_EQ(cli::JsonString(bytes), json) << bytes;
  }
}

}  // namespace
