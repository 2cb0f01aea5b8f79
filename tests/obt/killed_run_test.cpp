// A run killed in the middle of writing a large target: the old target must
// be intact, and the only trace the unfinished file beside it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "obt/conversion_job.h"
#include "run_helpers.h"
#include "test_files.h"

namespace {

using obt_test::JobRun;
using obt_test::kAllOctants;
using obt_test::Octants;
using obt_test::ReadFile;
using obt_test::TempDir;
using obt_test::UnfinishedFiles;
using obt_test::WriteFile;

// Enough points and triangles that writing all eight copies takes a while.
std::string LargeSource() {
  constexpr int kPoints = 200'000;
  std::string text =
      "QZ_OBT\r\n2.000000\r\n" + std::to_string(kPoints) + "\r\n";
  for (int i = 0; i < kPoints; ++i) {
    text += std::to_string(-i) + " -" + std::to_string(i % 977) + " -12345\r\n";
  }
  text += std::to_string(kPoints) + "\r\n";
  for (int i = 0; i + 2 < kPoints + 2; ++i) {
    text += std::to_string(i % kPoints) + ' ' +
            std::to_string((i + 1) % kPoints) + ' ' +
            std::to_string((i + 2) % kPoints) + " 3\r\n";
  }
  return text + "0\r\n";
}

std::uintmax_t SizeOfUnfinished(const TempDir& dir) {
  std::uintmax_t size = 0;
  for (const std::string& name : UnfinishedFiles(dir)) {
    std::error_code ignored;
    size += std::filesystem::file_size(dir.File(name), ignored);
  }
  return size;
}

TEST(KilledRunTest, OldTargetSurvivesSigkillMidWrite) {
  TempDir dir;
  WriteFile(dir.File("source.obt"), LargeSource());
  const std::string old_target = "QZ_OBT\r\n1.000000\r\n0\r\n0\r\n";
  WriteFile(dir.File("target.obt"), old_target);

  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    JobRun run;
    run.inputs.target_octant_checked = Octants(kAllOctants);
    // Runs over and over, so the kill lands in the middle of some run.
    for (;;) run.Run(dir.File("source.obt"), dir.File("target.obt"));
  }
  // Wait until a good part of an output is written, then kill.
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (SizeOfUnfinished(dir) < 4'000'000 &&
         std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  ::kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  // Either the old target, or a complete output of an earlier run: never
  // anything in between.
  const std::string target = ReadFile(dir.File("target.obt"));
  if (target != old_target) {
    const std::string header = "QZ_OBT\r\n2.000000\r\n1800000\r\n";
    EXPECT_EQ(target.substr(0, header.size()), header);
    EXPECT_EQ(target.substr(target.size() - 3), "0\r\n");
  }
  const auto unfinished = UnfinishedFiles(dir);
  ASSERT_EQ(unfinished.size(), 1u);
  EXPECT_EQ(unfinished.front().rfind("target.obt.obtmirror-unfinished-", 0),
            0u);
}

}  // namespace
