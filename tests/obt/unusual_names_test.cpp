// File names a file system allows but a careless program trips over.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run/conversion_job.h"
#include "run_helpers.h"
#include "test_files.h"

namespace obt_test {
namespace {

using run::RunResult;

const std::string& kSource = kTinySource;
const std::string& kOutput = kTinySourceMirroredOnX;

struct NameCase {
  std::string name;
  RunResult result;
};

TEST(UnusualNamesTest, SourceAndTargetUnderUnusualNames) {
  const std::vector<NameCase> cases = {
      {"with blanks .obt", RunResult::kSucceeded},
      {" leading blank.obt", RunResult::kSucceeded},
      {"Würfel-Ecke ß.obt", RunResult::kSucceeded},
      {"line\nbreak.obt", RunResult::kSucceeded},
      {"tab\tand\rcr.obt", RunResult::kSucceeded},
      {"-starts-with-dash.obt", RunResult::kSucceeded},
      {"no-extension", RunResult::kSucceeded},
      {std::string(255, 'n'), RunResult::kSucceeded},  // the longest name
      {std::string(256, 'n'), RunResult::kFileNameError},
  };
  for (const NameCase& c : cases) {
    SCOPED_TRACE(c.name.size() > 40 ? std::to_string(c.name.size()) + " bytes"
                                    : c.name);
    TempDir dir;
    WriteFile(dir.File("src " + c.name.substr(0, 200)), kSource);
    JobRun run;
    run.inputs.target_octant_checked = Octants({2});
    EXPECT_EQ(
        run.Run(dir.File("src " + c.name.substr(0, 200)), dir.File(c.name)),
        c.result);
    if (c.result == RunResult::kSucceeded) {
      EXPECT_EQ(ReadFile(dir.File(c.name)), kOutput);
    }
    EXPECT_TRUE(UnfinishedFiles(dir).empty());
  }
}

}  // namespace
}  // namespace obt_test
