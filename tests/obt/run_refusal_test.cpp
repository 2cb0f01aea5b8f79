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
#include <string_view>
#include <utility>
#include <vector>

#include "run/conversion_job.h"
#include "run_helpers.h"
#include "test_files.h"

namespace obt_test {
namespace {

using run::RunResult;

const std::string& kGoodSource = kTinySource;
const std::string kOldTarget = "old target\r\n";

using Cause = run::FileNameFailure::Cause;

struct RefusalCase {
  std::string name;
  std::string source;  // file name in the test directory; "" = none selected
  std::string target;  // file name in the test directory; "" = empty name
  RunResult result;
  // Why the names were refused, of the source (kSourceNotOpened) or of the
  // target (kSameFile, kTargetNotCreated), with its errno.
  Cause cause = Cause::kNone;
  int error = 0;
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
  const int open_fds = CountOpenFds();

  EXPECT_EQ(run.Run(path(c.source), path(c.target)), c.result);

  ASSERT_FALSE(run.feedback.calls.empty());
  EXPECT_EQ(run.feedback.calls.back(),
            "status " + std::string(run::StatusText(c.result)));
  if (c.gauge_untouched) {
    EXPECT_EQ(run.feedback.calls.size(), 1u);
  }
  const run::FileNameFailure& failure = run.job.file_name_failure();
  EXPECT_EQ(failure.cause, c.cause);
  EXPECT_EQ(failure.path,
            c.cause == Cause::kSourceNotOpened ? path(c.source)
            : c.cause == Cause::kSameFile || c.cause == Cause::kTargetNotCreated
                ? path(c.target)
                : "");
  EXPECT_EQ(failure.error, c.error) << std::strerror(failure.error);
  EXPECT_EQ(CountOpenFds(), open_fds);
  EXPECT_EQ(Listing(dir.path()), before);  // nothing made, nothing left
  EXPECT_EQ(ReadFile(dir.File("source.obt")), c.source_text);
  EXPECT_EQ(ReadFile(dir.File("target.obt")), kOldTarget);
}

TEST(RunRefusalTest, FileNames) {
  const RunResult bad = RunResult::kFileNameError;
  const Cause open = Cause::kSourceNotOpened;
  const Cause create = Cause::kTargetNotCreated;
  const Cause same = Cause::kSameFile;
  const std::string too_long(300, 'a');
  const std::vector<RefusalCase> cases = {
      {"no source selected", "", "target.obt", bad, Cause::kNoSource},
      {"source missing", "missing.obt", "target.obt", bad, open, ENOENT},
      {"source is a directory", "sub", "target.obt", bad, open, EISDIR},
      {"source in a link loop", "loop.obt", "target.obt", bad, open, ELOOP},
      {"target named like the source", "source.obt", "source.obt", bad, same},
      {"doubled slash", "source.obt", "/source.obt", bad, same},
      {"dot segment", "source.obt", "./source.obt", bad, same},
      {"dot-dot segment", "source.obt", "sub/../source.obt", bad, same},
      {"symlink to the source", "source.obt", "link-to-source.obt", bad, same},
      {"hard link to the source", "source.obt", "hard-source.obt", bad, same},
      {"source is a link to the target", "link-to-source.obt", "source.obt",
       bad, same},
      {"target directory missing", "source.obt", "nodir/target.obt", bad,
       create, ENOENT},
      {"target is a directory", "source.obt", "sub", bad, create, EISDIR},
      {"target below a plain file", "source.obt", "source.obt/x.obt", bad,
       create, ENOTDIR},
      {"target in a link loop", "source.obt", "loop.obt", bad, create, ELOOP},
      {"target name with *", "source.obt", "out*.obt", bad, create, EINVAL},
      {"target name with ?", "source.obt", "out?.obt", bad, create, EINVAL},
      {"empty target name", "source.obt", "", bad, Cause::kNoTarget},
      {"target name too long", "source.obt", too_long, bad, create,
       ENAMETOOLONG},
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
    ExpectRefused({.name = name,
                   .source = "source.obt",
                   .target = "target.obt",
                   .result = RunResult::kNotObt,
                   .source_text = text});
  }
}

TEST(RunRefusalTest, CentreOutOfRange) {
  const std::vector<std::array<std::string, 3>> centres = {
      {"2147483648", "0", "0"},
      {"0", "-2147483648-", "0"},  // stops early and drops the sign
      {"0", "0", "99999999999999999999"},
      {"+2147483648", "0", "0"},
      {"0", "-2147483649", "0"},
  };
  for (const auto& centre : centres) {
    ExpectRefused({.name = centre[0] + " " + centre[1] + " " + centre[2],
                   .source = "source.obt",
                   .target = "target.obt",
                   .result = RunResult::kInvalidCentre,
                   .centre = centre});
  }
}

TEST(RunRefusalTest, ObjectTooLargeIsRefusedAtOnce) {
  struct TooLarge {
    std::string name;
    std::vector<std::string_view> counts;  // and points, after the header
    std::array<bool, 8> targets;
    bool at_the_points;  // else only after the points were written
  };
  const std::vector<TooLarge> cases = {
      {"points: twice 67108864", {"67108864"}, Octants({2}), true},
      {"points: 2000000000 alone", {"2000000000"}, Octants({}), true},
      {"points: 9 times 7456541", {"7456541"}, Octants(kAllOctants), true},
      {"points: $7FFFFFFF", {"$7FFFFFFF"}, Octants({}), true},
      {"triangles: twice 33554433",
       {"1", "1 2 3", "33554433"},
       Octants({2}),
       false},
      {"triangles: 2000000000 alone", {"0", "2000000000"}, Octants({}), false},
  };
  for (const TooLarge& c : cases) {
    std::string text = CrLf({"QZ_OBT", "2.000000"});
    for (const std::string_view line : c.counts) text += CrLf({line});
    ExpectRefused({.name = c.name,
                   .source = "source.obt",
                   .target = "target.obt",
                   .result = RunResult::kObjectTooLarge,
                   .source_text = text,
                   .targets = c.targets,
                   .gauge_untouched = c.at_the_points});
  }
}

}  // namespace
}  // namespace obt_test
