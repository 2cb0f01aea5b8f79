// A conversion of obtmirror-cli ended by a signal in the middle of writing
// its target: the old target stays, and the unfinished file beside it goes
// with the process unless the signal cannot be caught.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "run_helpers.h"
#include "support/child.h"
#include "test_files.h"

namespace obt_test {
namespace {

using testing_support::Child;

const std::string kOldTarget = ObtText(1, {});

// A source up to its triangle count: small enough to fit into a FIFO's
// buffer at once, large enough for a run into all octants to write some
// hundred kilobytes.
std::string HeaderAndPoints() {
  constexpr int kPoints = 3000;
  std::string text = CrLf({"QZ_OBT", "2.000000", std::to_string(kPoints)});
  for (int i = 0; i < kPoints; ++i) {
    text += CrLf({std::to_string(i) + " -" + std::to_string(i % 97) + " 12"});
  }
  return text;
}

// The contents of the one unfinished file in `dir` once it holds `size`
// bytes, or what there was when the deadline passed.
std::string UnfinishedOnceItHolds(const TempDir& dir, std::uintmax_t size) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::vector<std::string> names = UnfinishedFiles(dir);
    std::error_code ignored;
    if (names.size() == 1 &&
        std::filesystem::file_size(dir.File(names.front()), ignored) == size) {
      return ReadFile(dir.File(names.front()));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return {};
}

struct SignalCase {
  int signal_number;
  bool removes_unfinished;
};

TEST(KilledRunTest, SignalMidWriteKeepsTheOldTarget) {
  // What the target holds after all points, while the run waits for the
  // triangle count that the FIFO source never delivers.
  const std::string points_part = HeaderAndPoints();
  std::string expected;
  {
    TempDir dir;
    WriteFile(dir.File("whole.obt"), points_part + CrLf({"0", "0"}));
    JobRun run;
    run.inputs.target_octant_checked = Octants(kAllOctants);
    ASSERT_EQ(run.Run(dir.File("whole.obt"), dir.File("out.obt")),
              run::RunResult::kSucceeded);
    const std::string whole = ReadFile(dir.File("out.obt"));
    const std::size_t tail = CrLf({"0", "0"}).size();
    ASSERT_GT(whole.size(), tail);
    expected = whole.substr(0, whole.size() - tail);
  }

  const std::vector<SignalCase> cases = {
      {SIGINT, true}, {SIGTERM, true}, {SIGHUP, true}, {SIGKILL, false}};
  for (const SignalCase& c : cases) {
    SCOPED_TRACE(::strsignal(c.signal_number));
    TempDir dir;
    const std::string source = dir.File("source.obt");
    const std::string target = dir.File("target.obt");
    WriteFile(target, kOldTarget);
    ASSERT_EQ(::mkfifo(source.c_str(), 0600), 0);
    // Both ends: the FIFO always has a writer, so the run blocks reading
    // the triangle count instead of seeing the end of its input.
    const int feed = ::open(source.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(feed, 0);
    ASSERT_EQ(::write(feed, points_part.data(), points_part.size()),
              static_cast<ssize_t>(points_part.size()));

    Child cli(OBTMIRROR_CLI_PATH,
              {"convert", source, target, "--to", "all", "--quiet"},
              {.directory = dir.path()});
    const std::string mid_write = UnfinishedOnceItHolds(dir, expected.size());
    ASSERT_TRUE(mid_write == expected)
        << "the run never got to the middle of its output";
    cli.Signal(c.signal_number);
    const int status = cli.Wait().wait_status;
    ::close(feed);

    ASSERT_TRUE(WIFSIGNALED(status)) << "wait status " << status;
    EXPECT_EQ(WTERMSIG(status), c.signal_number);
    EXPECT_EQ(ReadFile(target), kOldTarget);
    const std::vector<std::string> unfinished = UnfinishedFiles(dir);
    if (c.removes_unfinished) {
      EXPECT_TRUE(unfinished.empty());
    } else {
      ASSERT_EQ(unfinished.size(), 1u);
      EXPECT_EQ(unfinished.front().rfind("target.obt.obtmirror-unfinished-", 0),
                0u);
    }
  }
}

}  // namespace
}  // namespace obt_test
