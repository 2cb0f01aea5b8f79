#include "obt/obt_object.h"

#include <gtest/gtest.h>
#include <sys/syscall.h>

#include <cerrno>
#include <string>
#include <vector>

#include "obt/io_error.h"
#include "obt/text_reader.h"
#include "support/child.h"
#include "support/obt_text.h"
#include "support/system_call_filter.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

namespace {

using obt::ObtObject;
using obt::ObtReadOutcome;
using Status = ObtReadOutcome::Status;
using testing_support::CrLf;
using testing_support::ObtText;

struct ReadCase {
  const char* name;
  std::string file;
  Status status;
  int64_t outcome_line;
  std::vector<int64_t> point_lines;
  std::vector<int64_t> triangle_lines;
  int64_t points_missing_from;
  int64_t triangles_missing_from;
  int64_t text_after_end_line;
};

TEST(ObtObjectTest, ReadsWithLinesAndWhereTheFileFallsShort) {
  const std::vector<ReadCase> cases = {
      {"regular",
       ObtText(2, {"1 2 3", "4 5 6"}, {"0 1 1 7"}),
       Status::kRead,
       0,
       {4, 5},
       {7},
       -1,
       -1,
       0},
      {"blank lines and a spread record",
       CrLf({"QZ_OBT", "1.000000", "", "2", "1 2", "3", "", "4 5 6", "1",
             "0 1 1 7"}),
       Status::kRead,
       0,
       {5, 8},
       {10},
       -1,
       -1,
       0},
      {"lone CR line ends",
       "QZ_OBT\r1.000000\r1\r1 2 3\r0\r",
       Status::kRead,
       0,
       {4},
       {},
       -1,
       -1,
       0},
      {"points cut short",
       CrLf({"QZ_OBT", "1.000000", "3", "1 2 3", "4 5"}),
       Status::kRead,
       0,
       {4, 5},
       {},
       1,
       -1,
       0},
      {"triangles missing",
       CrLf({"QZ_OBT", "1.000000", "1", "1 2 3", "2", "0 0 0 0"}),
       Status::kRead,
       0,
       {4},
       {6},
       -1,
       1,
       0},
      {"text after a version 1 object",
       ObtText(1, {}) + CrLf({"", "more"}),
       Status::kRead,
       0,
       {},
       {},
       -1,
       -1,
       6},
      {"closing line then text",
       ObtText(2, {}) + CrLf({"extra"}),
       Status::kRead,
       0,
       {},
       {},
       -1,
       -1,
       6},
      {"closing line alone",
       ObtText(2, {}) + CrLf({""}),
       Status::kRead,
       0,
       {},
       {},
       -1,
       -1,
       0},
      {"malformed point",
       CrLf({"QZ_OBT", "1.000000", "2", "1 2 3", "1,2 3 4"}),
       Status::kMalformedNumber,
       5,
       {4, 5},
       {},
       -1,
       -1,
       0},
      {"count past the capacity",
       CrLf({"QZ_OBT", "1.000000", "67108865"}),
       Status::kTooLarge,
       3,
       {},
       {},
       -1,
       -1,
       0},
      {"not OBT",
       CrLf({"QZ_OBT ", "1.000000", "0", "0"}),
       Status::kNotObt,
       0,
       {},
       {},
       -1,
       -1,
       0},
  };
  testing_support::TempDir dir;
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir.File("object.obt");
    testing_support::WriteFile(path, c.file);
    ObtObject object;
    work::NullFeedback feedback;
    const ObtReadOutcome outcome = obt::ReadObtFile(path, object, feedback);
    ASSERT_EQ(outcome.status, c.status);
    EXPECT_EQ(outcome.line, c.outcome_line);
    if (c.status == Status::kNotObt) continue;
    for (std::size_t i = 0; i < c.point_lines.size(); ++i) {
      EXPECT_EQ(object.point_lines.LineOf(static_cast<int64_t>(i)),
                c.point_lines[i]);
    }
    for (std::size_t t = 0; t < c.triangle_lines.size(); ++t) {
      EXPECT_EQ(object.triangle_lines.LineOf(static_cast<int64_t>(t)),
                c.triangle_lines[t]);
    }
    EXPECT_EQ(object.points_missing_from, c.points_missing_from);
    EXPECT_EQ(object.triangles_missing_from, c.triangles_missing_from);
    EXPECT_EQ(object.text_after_end_line, c.text_after_end_line);
  }
}

TEST(ObtObjectTest, ReadThatFailsMidFileIsNoShortObject) {
  // Far more than one buffer: the first read fills the buffer, the next
  // one fails, as a disk would.
  testing_support::TempDir dir;
  const std::string path = dir.File("object.obt");
  std::string points;
  for (int i = 0; i < 100000; ++i) points += "100 200 300\r\n";
  testing_support::WriteFile(path,
                             CrLf({"QZ_OBT", "1.000000", "100000"}) + points);
  constexpr int kNoFilter = 77;
  testing_support::Child child([&] {
    if (!testing_support::FailSystemCall(SYS_read, EIO,
                                         obt::TextReader::kBufferSize)) {
      return kNoFilter;
    }
    ObtObject object;
    work::NullFeedback feedback;
    const ObtReadOutcome outcome = obt::ReadObtFile(path, object, feedback);
    const bool reported = outcome.status == Status::kReadFailed &&
                          outcome.error == obt::IoCodeFromErrno(EIO) &&
                          outcome.line > 3;
    return reported ? 0 : 1;
  });
  const int code = child.Wait().exit_status();
  if (code == kNoFilter) GTEST_SKIP() << "no seccomp filter";
  EXPECT_EQ(code, 0);
}

TEST(ObtObjectTest, ReadsAndWritesListsFarLongerThanTheFirstRoom) {
  // The lists grow many times over while they are read; a canonical file
  // comes back byte for byte.
  constexpr int kCount = 300'000;
  std::vector<std::string> points;
  std::vector<std::string> triangles;
  for (int i = 0; i < kCount; ++i) {
    points.push_back(std::to_string(i) + " " + std::to_string(-i) + " " +
                     std::to_string(3 * i));
    triangles.push_back(std::to_string(i) + " " +
                        std::to_string(kCount - 1 - i) + " " +
                        std::to_string(i / 2) + " " + std::to_string(i % 256));
  }
  const std::string text = ObtText(2, points, triangles);
  testing_support::TempDir dir;
  testing_support::WriteFile(dir.File("source.obt"), text);
  ObtObject object;
  work::NullFeedback feedback;
  ASSERT_EQ(obt::ReadObtFile(dir.File("source.obt"), object, feedback).status,
            Status::kRead);
  ASSERT_EQ(object.points.size(), kCount);
  EXPECT_EQ(object.points[kCount - 1],
            (work::TableEntry{kCount - 1, 1 - kCount, 3 * (kCount - 1)}));
  int create_error = -1;
  ASSERT_EQ(obt::WriteObtFile(dir.File("copy.obt"), object, create_error), 0);
  EXPECT_TRUE(testing_support::ReadFile(dir.File("copy.obt")) == text);
}

TEST(ObtObjectTest, WritesWhatItReadsByTheWritingRules) {
  testing_support::TempDir dir;
  const std::string source = dir.File("source.obt");
  testing_support::WriteFile(
      source,
      ObtText(2, {"+1  2 $10", "-4 5 6"}, {"0 1 1 263"}) + CrLf({"ignored"}));
  ObtObject object;
  work::NullFeedback feedback;
  ASSERT_EQ(obt::ReadObtFile(source, object, feedback).status, Status::kRead);
  int create_error = -1;
  ASSERT_EQ(obt::WriteObtFile(dir.File("copy.obt"), object, create_error), 0);
  EXPECT_EQ(create_error, 0);
  EXPECT_EQ(testing_support::ReadFile(dir.File("copy.obt")),
            ObtText(2, {"1 2 16", "-4 5 6"}, {"0 1 1 7"}));
  EXPECT_NE(
      obt::WriteObtFile(dir.File("no/such/dir.obt"), object, create_error), 0);
  EXPECT_EQ(create_error, ENOENT);
}

}  // namespace
