// Whole runs that succeed or stop on a malformed number: the exact bytes
// written, the gauge and status calls, and what a raised IoError leaves.
#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <string>
#include <utility>
#include <vector>

#include "obt/io_error.h"
#include "run/conversion_job.h"
#include "run/status_texts.h"
#include "run_helpers.h"
#include "test_files.h"

namespace obt_test {
namespace {

const std::string kOk = "status " + std::string(run::kStatusSucceeded);

struct OutputCase {
  std::string name;
  std::string source;
  std::array<bool, 8> targets;
  std::string expected;
  std::array<const char*, 3> centre = {"0", "0", "0"};
  std::array<bool, 8> source_octant = Octants({1});
};

TEST(ConversionRunTest, WritesExactBytes) {
  const std::vector<OutputCase> cases = {
      {"worked example: octants 2 and 4",
       ObtText(2, {"0 0 0", "10 0 0", "0 10 5"}, {"0 1 2 7"}), Octants({2, 4}),
       ObtText(2,
               {"0 0 0", "10 0 0", "0 10 5", "0 0 0", "-10 0 0", "0 10 5",
                "0 0 0", "-10 0 0", "0 -10 5"},
               {"0 1 2 7", "4 3 5 7", "6 7 8 7"})},
      {"centre is subtracted and added back",
       ObtText(1, {"15 2 3"}),
       Octants({2}),
       ObtText(1, {"15 2 3", "5 2 3"}),
       {"10", "0", "0"}},
      {"fourth values keep their low byte; version 1 has no final line",
       ObtText(
           1, {},
           {"0 1 2 -1", "0 1 2 256", "0 1 2 300", "0 1 2 200", "0 1 2 $1FF"}),
       Octants({}),
       ObtText(1, {},
               {"0 1 2 255", "0 1 2 0", "0 1 2 44", "0 1 2 200", "0 1 2 255"})},
      {"fourth value copied to every copy",
       ObtText(2, {"1 2 3"}, {"0 0 0 200"}), Octants({2, 4, 8}),
       ObtText(2, {"1 2 3", "-1 2 3", "-1 -2 3", "1 -2 3"},
               {"0 0 0 200", "1 1 1 200", "2 2 2 200", "3 3 3 200"})},
      {"version 2 without anything", CrLf({"QZ_OBT", "2.000000", "0", "0"}),
       Octants(kAllOctants), ObtText(2, {})},
      {"header without a final line end is still valid", "QZ_OBT\r\n1.000000",
       Octants({2}), ObtText(1, {})},
      {"records spread over lines; the rest of a line is skipped",
       CrLf({"QZ_OBT", "2.000000", "2", "1 2", "3 4 5", "6 7 8 9", "", "1", "",
             "0 1", "1 5 extra", "1,2 never read", "0"}),
       Octants({}), ObtText(2, {"1 2 3", "6 7 8"}, {"0 1 1 5"})},
      {"truncated points read as 0",
       CrLf({"QZ_OBT", "2.000000", "3", "1 1 1", "2 2 2"}), Octants({}),
       ObtText(2, {"1 1 1", "2 2 2", "0 0 0"})},
      {"truncated triangles read as 0",
       "QZ_OBT\r\n1.000000\r\n1\r\n1 2 3\r\n2\r\n0 0 0 9", Octants({}),
       ObtText(1, {"1 2 3"}, {"0 0 0 9", "0 0 0 0"})},
      {"lone CR line ends, tabs and blanks",
       "QZ_OBT\r2.000000\r1\r\t 4   5\t6 \r\r0\r", Octants({}),
       ObtText(2, {"4 5 6"})},
      {"hex and signed tokens written in decimal",
       CrLf({"QZ_OBT", "1.000000", "+1", "$FFFFFFFF +7 007", "$0"}),
       Octants({}), ObtText(1, {"-1 7 7"})},
      {"no points: triangles still offset by N = 0",
       ObtText(2, {}, {"0 1 2 7"}), Octants({2}),
       ObtText(2, {}, {"0 1 2 7", "1 0 2 7"})},
      {"target octants holding the source octant: exact duplicate",
       ObtText(1, {"1 2 3", "4 5 6"}, {"0 1 1 3"}), Octants({1, 2}),
       ObtText(1, {"1 2 3", "4 5 6", "1 2 3", "4 5 6", "-1 2 3", "-4 5 6"},
               {"0 1 1 3", "2 3 3 3", "5 4 5 3"})},
      {"octant 64 into octant 1 mirrors all three axes",
       ObtText(1, {"1 2 3"}, {"0 1 2 1"}),
       Octants({1}),
       ObtText(1, {"1 2 3", "-1 -2 -3"}, {"0 1 2 1", "2 1 3 1"}),
       {"0", "0", "0"},
       Octants({64})},
      {"32-bit wrap-around of centre and negation",
       ObtText(1, {"5 -2147483648 -2147483648"}),
       Octants({4, 16}),
       ObtText(1, {"5 -2147483648 -2147483648", "-5 -2147483648 -2147483648",
                   "5 -2147483648 2147483646"}),
       {"-2147483648", "0", "2147483647"}},
      {"negative point count wraps the count line but reads nothing",
       CrLf({"QZ_OBT", "2.000000", "-1431655765", "-1431655765"}),
       Octants({2, 4}), CrLf({"QZ_OBT", "2.000000", "1", "1", "0"})},
  };
  for (const OutputCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteFile(dir.File("in.obt"), c.source);
    JobRun run;
    run.inputs.centre_x_text = c.centre[0];
    run.inputs.centre_y_text = c.centre[1];
    run.inputs.centre_z_text = c.centre[2];
    run.inputs.source_octant_checked = c.source_octant;
    run.inputs.target_octant_checked = c.targets;
    ASSERT_EQ(run.Run(dir.File("in.obt"), dir.File("out.obt")),
              run::RunResult::kSucceeded);
    EXPECT_EQ(ReadFile(dir.File("out.obt")), c.expected);
    EXPECT_EQ(run.feedback.calls.back(), "gauge 0");
    EXPECT_EQ(ReadFile(dir.File("in.obt")), c.source);
  }
}

TEST(ConversionRunTest, AllEightOctantsMultiplyTheCounts) {
  TempDir dir;
  WriteFile(dir.File("in.obt"),
            ObtText(2, std::vector<std::string>(100, "1 2 3"),
                    std::vector<std::string>(50, "0 1 2 3")));
  JobRun run;
  run.inputs.target_octant_checked = Octants(kAllOctants);
  ASSERT_EQ(run.Run(dir.File("in.obt"), dir.File("out.obt")),
            run::RunResult::kSucceeded);
  std::vector<std::string> lines;
  const std::string out = ReadFile(dir.File("out.obt"));
  for (std::size_t at = 0; at < out.size();) {
    const std::size_t end = out.find("\r\n", at);
    ASSERT_NE(end, std::string::npos);
    lines.push_back(out.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_EQ(lines.size(), 3u + 900 + 1 + 450 + 1);
  EXPECT_EQ(lines[2], "900");
  EXPECT_EQ(lines[3 + 900], "450");
  EXPECT_EQ(lines.back(), "0");
  // Copy 8 (code 128) mirrors y and z, an even count: corners unswapped.
  EXPECT_EQ(lines[3 + 900 + 450], "800 801 802 3");
}

struct GaugeCase {
  std::string name;
  std::string source;
  std::array<bool, 8> targets;
  std::vector<std::string> calls;
};

TEST(ConversionRunTest, GaugeAndStatusSequence) {
  const std::vector<std::string> full_half = {"max 100", "gauge 0", "gauge 33",
                                              "gauge 67", "gauge 100"};
  const std::vector<std::string> empty_half = {"max 100", "gauge 0", "gauge 33",
                                               "gauge 100"};
  const auto join = [&](const std::vector<std::string>& points,
                        const std::vector<std::string>& triangles) {
    std::vector<std::string> calls = points;
    calls.insert(calls.end(), triangles.begin(), triangles.end());
    calls.push_back(kOk);
    calls.push_back("gauge 0");
    return calls;
  };
  const std::vector<GaugeCase> cases = {
      {"both counts positive", ObtText(2, {"1 2 3"}, {"0 0 0 0"}), Octants({2}),
       join(full_half, full_half)},
      {"no copies still reports 67", ObtText(2, {"1 2 3"}, {"0 0 0 0"}),
       Octants({}), join(full_half, full_half)},
      {"no points", ObtText(2, {}, {"0 0 0 0"}), Octants({2}),
       join(empty_half, full_half)},
      {"no triangles", ObtText(1, {"1 2 3"}), Octants({2}),
       join(full_half, empty_half)},
      {"negative counts", CrLf({"QZ_OBT", "1.000000", "-3", "-4"}),
       Octants({2}), join(empty_half, empty_half)},
  };
  for (const GaugeCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteFile(dir.File("in.obt"), c.source);
    JobRun run;
    run.inputs.target_octant_checked = c.targets;
    run.Run(dir.File("in.obt"), dir.File("out.obt"));
    EXPECT_EQ(run.feedback.calls, c.calls);
  }
}

struct MalformedCase {
  std::string name;
  std::string source;
  std::vector<std::string> calls;  // up to the raise
};

TEST(ConversionRunTest, MalformedNumberRaises106AndKeepsTheTarget) {
  const std::vector<std::string> points_done = {
      "max 100", "gauge 0", "gauge 33", "gauge 67", "gauge 100"};
  const auto then = [&](std::vector<std::string> tail) {
    std::vector<std::string> calls = points_done;
    calls.insert(calls.end(), tail.begin(), tail.end());
    return calls;
  };
  const std::vector<MalformedCase> cases = {
      {"comma in a point line",
       ObtText(2, {"1 2 3", "1,2,3"}),
       {"max 100", "gauge 0", "gauge 33", "gauge 67"}},
      {"malformed point count",
       CrLf({"QZ_OBT", "2.000000", "1.5", "0"}),
       {"max 100", "gauge 0", "gauge 33"}},
      {"malformed triangle", ObtText(2, {"1 2 3"}, {"0 1 x 7"}),
       then({"max 100", "gauge 0", "gauge 33", "gauge 67"})},
      {"malformed fourth value", ObtText(2, {"1 2 3"}, {"0 1 2 -$7"}),
       then({"max 100", "gauge 0", "gauge 33", "gauge 67"})},
      {"malformed triangle count",
       CrLf({"QZ_OBT", "1.000000", "1", "1 2 3", "$"}),
       then({"max 100", "gauge 0", "gauge 33"})},
  };
  for (const MalformedCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string old_target = "old target\r\n";
    WriteFile(dir.File("in.obt"), c.source);
    WriteFile(dir.File("out.obt"), old_target);
    JobRun run;
    run.inputs.target_octant_checked = Octants({2});
    // The first run sets up what a run keeps open for good, if anything.
    try {
      run.Run(dir.File("in.obt"), dir.File("other.obt"));
    } catch (const obt::IoError&) {
    }
    run.feedback.calls.clear();
    const int open_fds = CountOpenFds();
    try {
      run.Run(dir.File("in.obt"), dir.File("out.obt"));
      ADD_FAILURE() << "no IoError raised";
    } catch (const obt::IoError& error) {
      EXPECT_EQ(error.code(), obt::kIoInvalidNumber);
      EXPECT_STREQ(error.what(), "Ungültige numerische Eingabe");
    }
    EXPECT_EQ(run.feedback.calls, c.calls);  // no status line
    EXPECT_EQ(CountOpenFds(), open_fds);
    EXPECT_EQ(ReadFile(dir.File("out.obt")), old_target);
    EXPECT_TRUE(UnfinishedFiles(dir).empty());
    EXPECT_EQ(run.pending.Peek(), 0);
  }
}

TEST(ConversionRunTest, EarlierPendingErrorDoesNotCount) {
  TempDir dir;
  WriteFile(dir.File("in.obt"), ObtText(1, {}));
  JobRun run;
  run.pending.Set(obt::kIoInvalidNumber);
  EXPECT_EQ(run.Run(dir.File("in.obt"), dir.File("out.obt")),
            run::RunResult::kSucceeded);
}

TEST(ConversionRunTest, JobKeepsSourceOctantAndReusesItsTables) {
  TempDir dir;
  WriteFile(dir.File("big.obt"),
            ObtText(2, std::vector<std::string>(300, "7 7 7"),
                    std::vector<std::string>(300, "9 9 9 9")));
  WriteFile(dir.File("small.obt"), ObtText(1, {"1 2 3"}, {"0 1 2 1"}));

  JobRun run;
  run.inputs.source_octant_checked = Octants({64});
  run.inputs.target_octant_checked = Octants(kAllOctants);
  ASSERT_EQ(run.Run(dir.File("big.obt"), dir.File("out.obt")),
            run::RunResult::kSucceeded);
  // No radio button checked: the octant of the last run stays.
  run.inputs.source_octant_checked = Octants({});
  run.inputs.target_octant_checked = Octants({1});
  ASSERT_EQ(run.Run(dir.File("small.obt"), dir.File("out.obt")),
            run::RunResult::kSucceeded);
  EXPECT_EQ(run.job.mirror_state().source_octant, 64);
  EXPECT_EQ(ReadFile(dir.File("out.obt")),
            ObtText(1, {"1 2 3", "-1 -2 -3"}, {"0 1 2 1", "2 1 3 1"}));
}

TEST(IoErrorTest, CodesAndMessages) {
  const std::vector<std::pair<int, int>> errno_codes = {
      {ENOENT, 2}, {ENAMETOOLONG, 3}, {EINVAL, 3},   {EMFILE, 4},
      {ENFILE, 4}, {EACCES, 5},       {EPERM, 5},    {EROFS, 5},
      {EISDIR, 5}, {ENOSPC, 101},     {EDQUOT, 101}, {EFBIG, EFBIG},
  };
  for (const auto& [errno_value, code] : errno_codes) {
    EXPECT_EQ(obt::IoCodeFromErrno(errno_value), code) << errno_value;
  }
  const std::vector<std::pair<int, std::string>> messages = {
      {2, "Datei nicht gefunden"},
      {3, "Ungültiger Dateiname"},
      {4, "Zu viele Dateien geöffnet"},
      {5, "Dateizugriff verweigert"},
      {100, "Lesen nach Dateiende (EOF)"},
      {101, "Kapazität der Diskette/Festplatte erschöpft"},
      {106, "Ungültige numerische Eingabe"},
      {27, "I/O-Fehler 27"},
      {103, "I/O-Fehler 103"},
  };
  for (const auto& [code, message] : messages) {
    EXPECT_EQ(obt::IoErrorMessage(code), message);
    EXPECT_EQ(obt::IoError(code).what(), message);
  }
}

}  // namespace
}  // namespace obt_test
