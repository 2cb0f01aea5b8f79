// Runs that end on a status line instead of output: bad names, the source
// under another name, files that are no OBT files, centres out of range and
// objects too large for the tables. None of them may change a file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "obt/conversion_job.h"
#include "run_helpers.h"
#include "test_files.h"

namespace {

using obt::RunResult;
using obt_test::CrLf;
using obt_test::JobRun;
using obt_test::kAllOctants;
using obt_test::Octants;
using obt_test::ReadFile;
using obt_test::TempDir;
using obt_test::WriteFile;

const std::string& kGoodSource = obt_test::kTinySource;
const std::string kOldTarget = "old target\r\n";

using Cause = obt::FileNameFailure::Cause;

struct RefusalCase {
  std::string name;
  std::string source;  // file name in the test directory; "" = none selected
  std::string target;  // file name in the test directory; "" = empty name
  RunResult result;
  // Why the file names were refused; its path is a name in the test
  // directory.
  obt::FileNameFailure failure = {};
  std::string source_text = kGoodSource;
  std::array<bool, 8> targets = Octants({2});
  std::array<std::string, 3> centre = {"0", "0", "0"};
  bool gauge_untouched = true;
};

std::set<std::string> Listing(const std::string& dir) {
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    names.insert(entry.path().string());
  }
  return names;
}

void ExpectRefused(const RefusalCase& c) {
  SCOPED_TRACE(c.name);
  TempDir dir;
  WriteFile(dir.File("source.obt"), c.source_text);
  WriteFile(dir.File("target.obt"), kOldTarget);
  ASSERT_EQ(::mkdir(dir.File("sub").c_str(), 0755), 0);
  ASSERT_EQ(::symlink("source.obt", dir.File("link-to-source.obt").c_str()), 0);
  ASSERT_EQ(::link(dir.File("source.obt").c_str(),
                   dir.File("hard-source.obt").c_str()),
            0);
  ASSERT_EQ(::symlink("loop.obt", dir.File("loop.obt").c_str()), 0);
  const auto path = [&dir](const std::string& name) {
    return name.empty() ? name : dir.File(name);
  };

  JobRun run;
  run.inputs.target_octant_checked = c.targets;
  run.inputs.centre_x_text = c.centre[0];
  run.inputs.centre_y_text = c.centre[1];
  run.inputs.centre_z_text = c.centre[2];
  const std::set<std::string> before = Listing(dir.path());
  const int open_fds = obt_test::CountOpenFds();

  EXPECT_EQ(run.Run(path(c.source), path(c.target)), c.result);

  ASSERT_FALSE(run.feedback.calls.empty());
  EXPECT_EQ(run.feedback.calls.back(),
            "status " + std::string(obt::StatusText(c.result)));
  if (c.gauge_untouched) {
    EXPECT_EQ(run.feedback.calls.size(), 1u);
  }
  const obt::FileNameFailure& failure = run.job.file_name_failure();
  EXPECT_EQ(failure.cause, c.failure.cause);
  EXPECT_EQ(failure.path, path(c.failure.path));
  EXPECT_EQ(failure.error, c.failure.error) << std::strerror(failure.error);
  EXPECT_EQ(obt_test::CountOpenFds(), open_fds);
  EXPECT_EQ(Listing(dir.path()), before);  // nothing made, nothing left
  EXPECT_EQ(ReadFile(dir.File("source.obt")), c.source_text);
  EXPECT_EQ(ReadFile(dir.File("target.obt")), kOldTarget);
}

TEST(RunRefusalTest, FileNames) {
  const RunResult bad = RunResult::kFileNameError;
  const auto same = [](const std::string& target) {
    return obt::FileNameFailure{Cause::kSameFile, target, 0};
  };
  const auto source_error = [](const std::string& source, int error) {
    return obt::FileNameFailure{Cause::kSourceNotOpened, source, error};
  };
  const auto target_error = [](const std::string& target, int error) {
    return obt::FileNameFailure{Cause::kTargetNotCreated, target, error};
  };
  const std::vector<RefusalCase> cases = {
      {"no source selected", "", "target.obt", bad, {Cause::kNoSource, "", 0}},
      {"source missing", "missing.obt", "target.obt", bad,
       source_error("missing.obt", ENOENT)},
      {"source is a directory", "sub", "target.obt", bad,
       source_error("sub", EISDIR)},
      {"source in a link loop", "loop.obt", "target.obt", bad,
       source_error("loop.obt", ELOOP)},
      {"target named like the source", "source.obt", "source.obt", bad,
       same("source.obt")},
      {"doubled slash", "source.obt", "/source.obt", bad, same("/source.obt")},
      {"dot segment", "source.obt", "./source.obt", bad, same("./source.obt")},
      {"dot-dot segment", "source.obt", "sub/../source.obt", bad,
       same("sub/../source.obt")},
      {"symlink to the source", "source.obt", "link-to-source.obt", bad,
       same("link-to-source.obt")},
      {"hard link to the source", "source.obt", "hard-source.obt", bad,
       same("hard-source.obt")},
      {"source is a link to the target", "link-to-source.obt", "source.obt",
       bad, same("source.obt")},
      {"target directory missing", "source.obt", "nodir/target.obt", bad,
       target_error("nodir/target.obt", ENOENT)},
      {"target is a directory", "source.obt", "sub", bad,
       target_error("sub", EISDIR)},
      {"target below a plain file", "source.obt", "source.obt/x.obt", bad,
       target_error("source.obt/x.obt", ENOTDIR)},
      {"target in a link loop", "source.obt", "loop.obt", bad,
       target_error("loop.obt", ELOOP)},
      {"target name with *", "source.obt", "out*.obt", bad,
       target_error("out*.obt", EINVAL)},
      {"target name with ?", "source.obt", "out?.obt", bad,
       target_error("out?.obt", EINVAL)},
      {"empty target name", "source.obt", "", bad, {Cause::kNoTarget, "", 0}},
      {"target name too long", "source.obt", std::string(300, 'a'), bad,
       target_error(std::string(300, 'a'), ENAMETOOLONG)},
  };
  for (const RefusalCase& c : cases) ExpectRefused(c);
}

TEST(RunRefusalTest, HeadersThatAreNoObtFile) {
  const std::vector<std::pair<std::string, std::string>> headers = {
      {"magic with a trailing blank", "QZ_OBT \r\n2.000000\r\n0\r\n0\r\n"},
      {"magic in lower case", "qz_obt\r\n2.000000\r\n0\r\n0\r\n"},
      {"version 2.0", "QZ_OBT\r\n2.0\r\n0\r\n0\r\n"},
      {"version with a trailing blank", "QZ_OBT\r\n1.000000 \r\n0\r\n0\r\n"},
      {"version 3", "QZ_OBT\r\n3.000000\r\n0\r\n0\r\n"},
      {"empty file", ""},
      {"magic line only", "QZ_OBT\r\n"},
      {"LF line ends", "QZ_OBT\n2.000000\n0\n0\n"},
      {"LF before the CR LF", "QZ_OBT\n\r\n2.000000\r\n"},
      {"blank line before the magic", "\r\nQZ_OBT\r\n2.000000\r\n0\r\n0\r\n"},
      {"eof byte inside the magic", "QZ_\032OBT\r\n"},
      {"long first line", std::string(100000, 'Q') + "\r\n2.000000\r\n"},
  };
  for (const auto& [name, text] : headers) {
    ExpectRefused(
        {name, "source.obt", "target.obt", RunResult::kNotObt, {}, text});
  }
}

TEST(RunRefusalTest, CentreOutOfRange) {
  const RunResult bad = RunResult::kInvalidCentre;
  const std::vector<std::array<std::string, 3>> centres = {
      {"2147483648", "0", "0"},
      {"0", "-2147483648-", "0"},  // stops early and drops the sign
      {"0", "0", "99999999999999999999"},
      {"+2147483648", "0", "0"},
      {"0", "-2147483649", "0"},
  };
  for (const auto& centre : centres) {
    ExpectRefused({centre[0] + " " + centre[1] + " " + centre[2],
                   "source.obt",
                   "target.obt",
                   bad,
                   {},
                   kGoodSource,
                   Octants({2}),
                   centre});
  }
}

TEST(RunRefusalTest, ObjectTooLargeIsRefusedAtOnce) {
  const RunResult big = RunResult::kObjectTooLarge;
  const std::string header = CrLf({"QZ_OBT", "2.000000"});
  const std::vector<RefusalCase> cases = {
      {"points: twice 67108864",
       "source.obt",
       "target.obt",
       big,
       {},
       header + CrLf({"67108864"}),
       Octants({2})},
      {"points: 2000000000 alone",
       "source.obt",
       "target.obt",
       big,
       {},
       header + CrLf({"2000000000"}),
       Octants({})},
      {"points: 9 times 7456541",
       "source.obt",
       "target.obt",
       big,
       {},
       header + CrLf({"7456541"}),
       Octants(kAllOctants)},
      {"points: $7FFFFFFF",
       "source.obt",
       "target.obt",
       big,
       {},
       header + CrLf({"$7FFFFFFF"}),
       Octants({})},
      {"triangles: twice 33554433",
       "source.obt",
       "target.obt",
       big,
       {},
       header + CrLf({"1", "1 2 3", "33554433"}),
       Octants({2}),
       {"0", "0", "0"},
       false},
      {"triangles: 2000000000 alone",
       "source.obt",
       "target.obt",
       big,
       {},
       header + CrLf({"0", "2000000000"}),
       Octants({}),
       {"0", "0", "0"},
       false},
  };
  for (const RefusalCase& c : cases) ExpectRefused(c);
}

}  // namespace
