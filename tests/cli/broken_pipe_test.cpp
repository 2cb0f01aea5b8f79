// obtmirror-cli writing into a pipe whose reader goes away: the failing
// write is reported like any other, rather than ending the program by
// SIGPIPE without a word.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <string>
#include <vector>

#include "support/child.h"
#include "support/temp_dir.h"

namespace {

using testing_support::Child;
using testing_support::ChildOutcome;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr char kCannotWriteOutput[] =
    "obtmirror-cli: cannot write standard output\n";

// Its mirrored output into all octants is many times a pipe's buffer.
std::string ManyPoints() {
  std::string text = "QZ_OBT\r\n2.000000\r\n3000\r\n";
  for (int i = 0; i < 3000; ++i) text += std::to_string(i) + " 1 2\r\n";
  return text + "1\r\n0 1 2 7\r\n0\r\n";
}

struct BrokenPipeCase {
  std::string name;
  std::vector<std::string> arguments;
  // The reader of the FIFO "pipe" goes away, else that of standard output.
  bool fifo_target;
  int exit_status;
  std::string standard_error;
};

TEST(BrokenPipeTest, ReaderThatGoesAwayIsAnError) {
  const std::vector<BrokenPipeCase> cases = {
      {"FIFO target",
       {"convert", "source.obt", "pipe", "--to", "all", "--quiet"},
       true,
       2,
       "I/O-Fehler 32.\n"},
      {"status line of a conversion",
       {"convert", "source.obt", "target.obt", "--quiet"},
       false,
       74,
       kCannotWriteOutput},
      {"points of a preview",
       {"preview", "source.obt", "--points"},
       false,
       74,
       kCannotWriteOutput},
  };
  for (const BrokenPipeCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    WriteFile(dir.File("source.obt"), ManyPoints());
    testing_support::ChildSetup setup{.directory = dir.path()};
    int reader = -1;
    std::array<int, 2> output{-1, -1};
    if (c.fifo_target) {
      ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
      reader =
          ::open(dir.File("pipe").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
      ASSERT_GE(reader, 0);
    } else {
      // Gone before the first byte is written.
      ASSERT_EQ(::pipe2(output.data(), O_CLOEXEC), 0);
      ::close(output[0]);
      setup.standard_output = output[1];
    }
    Child cli(OBTMIRROR_CLI_PATH, c.arguments, setup);
    if (c.fifo_target) {
      // The run has started writing; the rest no longer fits in the pipe.
      pollfd ready{reader, POLLIN, 0};
      ASSERT_EQ(::poll(&ready, 1, 60'000), 1);
      std::array<char, 4096> some{};
      ASSERT_GT(::read(reader, some.data(), some.size()), 0);
      ::close(reader);
    } else {
      ::close(output[1]);
    }
    const ChildOutcome outcome = cli.Wait();
    EXPECT_EQ(outcome.exit_status(), c.exit_status);
    EXPECT_EQ(outcome.standard_error, c.standard_error);
  }
}

}  // namespace
