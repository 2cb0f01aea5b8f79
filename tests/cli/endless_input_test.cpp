// Input that never ends and holds no CR: a header line that has grown past
// its literal cannot match any more, so both commands refuse such input at
// once instead of reading on for ever in search of the line end.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "support/run_process.h"
#include "support/temp_dir.h"

namespace {

using testing_support::EndlessFifo;
using testing_support::ProcessResult;
using testing_support::RunProcess;
using testing_support::TempDir;

constexpr char kNotObt[] = "Kein gültiger OBT-File\n";
constexpr char kLoadError[] = "Fehler beim Laden des OBT-Files aufgetreten!\n";

struct EndlessCase {
  std::string name;
  std::string command;  // "convert" or "preview"
  // Fed to a FIFO: `head` once, then `filler` for ever; with no filler the
  // input is /dev/zero.
  std::string head;
  std::string filler;
  int exit_status;
  std::string standard_error;
};

TEST(EndlessInputTest, IsRefusedAtOnce) {
  const std::vector<EndlessCase> cases = {
      {"zeros", "convert", "", "", 1, kNotObt},
      {"zeros", "preview", "", "", 2, kLoadError},
      {"lines of LF only", "convert", "", "y\n", 1, kNotObt},
      {"lines of LF only", "preview", "", "y\n", 2, kLoadError},
      {"magic line that goes on", "convert", "QZ_OBT", "T", 1, kNotObt},
      {"version line that goes on", "convert", "QZ_OBT\r\n2.000000", "0", 1,
       kNotObt},
      {"version line of LF only", "preview", "QZ_OBT\r\n", "y\n", 2,
       kLoadError},
  };
  for (const EndlessCase& c : cases) {
    SCOPED_TRACE(c.command + ": " + c.name);
    TempDir dir;
    std::string source = "/dev/zero";
    std::unique_ptr<EndlessFifo> fifo;
    if (!c.filler.empty()) {
      source = dir.File("endless.obt");
      fifo = std::make_unique<EndlessFifo>(source, c.head, c.filler);
    }
    const std::vector<std::string> arguments =
        c.command == "convert"
            ? std::vector<std::string>{"convert", source, "out.obt"}
            : std::vector<std::string>{"preview", source, "--png", "out.png"};
    // Generous: a regression shows as a timeout, not as a slow pass.
    const ProcessResult run = RunProcess(OBTMIRROR_CLI_PATH, arguments,
                                         dir.path(), std::chrono::seconds(30));
    ASSERT_FALSE(run.timed_out);
    EXPECT_EQ(run.exit_status, c.exit_status);
    EXPECT_EQ(run.standard_error, c.standard_error);
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.obt")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("out.png")));
  }
}

}  // namespace
