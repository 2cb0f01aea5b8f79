// Where a run's output lands and what a failing write leaves: devices,
// FIFOs, links, file modes, a full disk, a file-size limit, permissions.
#include "files/target_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "files/unfinished_files.h"
#include "obt/io_error.h"
#include "run/conversion_job.h"
#include "run_helpers.h"
#include "support/child.h"
#include "support/system_call_filter.h"
#include "test_files.h"

namespace obt_test {
namespace {

using run::RunResult;

const std::string& kSource = kTinySource;
const std::string& kOutput = kTinySourceMirroredOnX;
const std::string kOldTarget = "old target\r\n";

// Exit codes of a child that runs a case.
constexpr int kChildIoError = 50;
constexpr int kChildOtherError = 51;
constexpr int kChildNoFilter = 53;

int RunResultCode(JobRun& run, const std::string& source,
                  const std::string& target) {
  try {
    return static_cast<int>(run.Run(source, target));
  } catch (const obt::IoError&) {
    return kChildIoError;
  } catch (...) {
    return kChildOtherError;
  }
}

// The exit status of `work` run in a child process with `setup`; what it
// reports, the sanitizers' findings included, goes to the test's log.
int RunInChild(testing_support::ChildSetup setup,
               const std::function<int()>& work) {
  setup.standard_error = STDERR_FILENO;
  return testing_support::Child(work, setup).Wait().exit_status();
}

class TargetFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(source(), kSource);
    run_.inputs.target_octant_checked = Octants({2});
  }

  std::string source() const { return dir_.File("source.obt"); }

  TempDir dir_;
  JobRun run_;
};

TEST(FullDeviceTest, RaisesDiskFullAndStaysADevice) {
  struct stat info {};
  if (::stat("/dev/full", &info) != 0 || !S_ISCHR(info.st_mode)) {
    GTEST_SKIP() << "no /dev/full";
  }
  if (!testing_support::CanRunAsNobody()) GTEST_SKIP() << "no uid 65534";
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  WriteFile(dir.File("source.obt"), kSource);
  ASSERT_EQ(::chmod(dir.File("source.obt").c_str(), 0644), 0);
  // Unprivileged, so that a run that tried to replace the device instead of
  // writing to it could not harm the system's /dev/full.
  const int code = RunInChild({.as_nobody = true}, [&] {
    JobRun run;
    run.inputs.target_octant_checked = Octants({2});
    run.Run(dir.File("source.obt"), dir.File("warm-up.obt"));
    const int open_fds = CountOpenFds();
    try {
      run.Run(dir.File("source.obt"), "/dev/full");
      return 1;
    } catch (const obt::IoError& error) {
      if (error.code() != obt::kIoDiskFull ||
          std::string(error.what()) !=
              "Kapazität der Diskette/Festplatte erschöpft") {
        return 2;
      }
    }
    if (CountOpenFds() != open_fds) return 3;
    // The run after a failed one works as usual.
    return run.Run(dir.File("source.obt"), dir.File("out.obt")) ==
                   RunResult::kSucceeded
               ? 0
               : 4;
  });
  EXPECT_EQ(code, 0) << "1: no IoError, 2: wrong code or message, "
                        "3: a file left open, 4: the next run failed";
  ASSERT_EQ(::stat("/dev/full", &info), 0);
  EXPECT_TRUE(S_ISCHR(info.st_mode));
  EXPECT_EQ(ReadFile(dir.File("source.obt")), kSource);
  EXPECT_EQ(ReadFile(dir.File("out.obt")), kOutput);
}

TEST_F(TargetFileTest, WriteFailingHalfWayKeepsTheOldTarget) {
  const std::vector<std::string> points(8000, "123456 234567 345678");
  // All octants give about 1.5 MB of point lines in several blocks, which
  // two threads format and write by turns; the source octant alone gives
  // 170 kB in one block. The triangles are read meanwhile: a malformed one
  // must not come out before the failed write of the points.
  struct Case {
    std::string name;
    bool all_octants;
    rlim_t limit;
    std::vector<std::string> triangles;
  };
  const std::vector<Case> cases = {
      {"in the first of several blocks", true, 65536, {}},
      {"in a later block", true, 1'200'000, {}},
      {"in the only block", false, 65536, {}},
      {"before a malformed triangle", true, 65536, {"1 2 x 0"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(source(), ObtText(2, points, c.triangles));
    WriteFile(dir_.File("out.obt"), kOldTarget);
    const int code = RunInChild({.file_size_limit = c.limit}, [&] {
      ::signal(SIGXFSZ, SIG_IGN);
      run_.inputs.target_octant_checked =
          c.all_octants ? Octants(kAllOctants) : Octants({});
      try {
        run_.Run(source(), dir_.File("out.obt"));
      } catch (const obt::IoError& error) {
        return error.code() == EFBIG ? 0 : kChildIoError;
      }
      return kChildOtherError;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadFile(dir_.File("out.obt")), kOldTarget);
    EXPECT_TRUE(UnfinishedFiles(dir_).empty());
  }
}

TEST(RunWithoutThreadsTest, WritesTheSameBytes) {
  if (!testing_support::CanRunAsNobody()) GTEST_SKIP() << "no uid 65534";
  // Enough points and triangles for several blocks of lines and for the
  // helper that readies the copies' memory.
  std::vector<std::string> points;
  for (int i = 0; i < 50000; ++i) points.push_back(ObtLine(i, -7, 3 * i));
  std::vector<std::string> triangles;
  for (int t = 0; t < 60000; ++t) {
    triangles.push_back(ObtLine(t % 50000, 1, 2, t % 256));
  }
  const std::string source_text = ObtText(2, points, triangles);
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
  WriteFile(dir.File("source.obt"), source_text);
  {
    JobRun run;
    run.inputs.target_octant_checked = Octants(kAllOctants);
    ASSERT_EQ(run.Run(dir.File("source.obt"), dir.File("threads.obt")),
              RunResult::kSucceeded);
  }
  // A user that may start no further process or thread.
  const int code = RunInChild({.as_nobody = true}, [&] {
    const rlimit none{0, 0};
    if (::setrlimit(RLIMIT_NPROC, &none) != 0) return kChildOtherError;
    JobRun run;
    run.inputs.target_octant_checked = Octants(kAllOctants);
    return RunResultCode(run, dir.File("source.obt"), dir.File("alone.obt"));
  });
  EXPECT_EQ(code, static_cast<int>(RunResult::kSucceeded));
  EXPECT_EQ(ReadFile(dir.File("alone.obt")), ReadFile(dir.File("threads.obt")));
}

// The address space the process has mapped, in bytes.
std::size_t MappedBytes() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0;
  statm >> pages;
  return pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

TEST(RunWithLittleAddressSpaceTest, RefusesWhatDoesNotFitAndGoesOn) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer maps far more than the limit leaves";
#endif
  TempDir dir;
  std::vector<std::string> points;
  for (int i = 0; i < 1000; ++i) points.push_back(ObtLine(i, 5, 6));
  WriteFile(dir.File("small.obt"), ObtText(2, points, {"0 1 2 3"}));
  // Nine parts of seven million points: 756 MB of table, within the
  // capacity but not within the limit below.
  WriteFile(dir.File("huge.obt"), CrLf({"QZ_OBT", "2.000000", "7000000"}));
  WriteFile(dir.File("huge-out.obt"), kOldTarget);
  {
    JobRun run;
    run.inputs.target_octant_checked = Octants(kAllOctants);
    ASSERT_EQ(run.Run(dir.File("small.obt"), dir.File("expected.obt")),
              RunResult::kSucceeded);
  }
  const int code = RunInChild({}, [&] {
    const rlim_t room = MappedBytes() + (std::size_t{256} << 20);
    const rlimit limit{room, room};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) return kChildOtherError;
    JobRun run;
    run.inputs.target_octant_checked = Octants(kAllOctants);
    if (RunResultCode(run, dir.File("small.obt"), dir.File("first.obt")) !=
        static_cast<int>(RunResult::kSucceeded)) {
      return 1;
    }
    if (RunResultCode(run, dir.File("huge.obt"), dir.File("huge-out.obt")) !=
        static_cast<int>(RunResult::kObjectTooLarge)) {
      return 2;
    }
    return RunResultCode(run, dir.File("small.obt"), dir.File("again.obt")) ==
                   static_cast<int>(RunResult::kSucceeded)
               ? 0
               : 3;
  });
  EXPECT_EQ(code, 0) << "1: a small run failed, 2: the huge one was not "
                        "refused, 3: the run after the refusal failed";
  EXPECT_TRUE(ReadFile(dir.File("first.obt")) ==
              ReadFile(dir.File("expected.obt")))
      << "first.obt differs";
  EXPECT_TRUE(ReadFile(dir.File("again.obt")) ==
              ReadFile(dir.File("expected.obt")))
      << "again.obt differs";
  EXPECT_EQ(ReadFile(dir.File("huge-out.obt")), kOldTarget);
  EXPECT_TRUE(UnfinishedFiles(dir).empty());
}

TEST_F(TargetFileTest, ReplacedTargetKeepsItsMode) {
  for (const mode_t mode : {0640, 0604, 0600, 0664}) {
    SCOPED_TRACE(mode);
    WriteFile(dir_.File("out.obt"), kOldTarget);
    ASSERT_EQ(::chmod(dir_.File("out.obt").c_str(), mode), 0);
    ASSERT_EQ(run_.Run(source(), dir_.File("out.obt")), RunResult::kSucceeded);
    struct stat info {};
    ASSERT_EQ(::stat(dir_.File("out.obt").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, mode);
    EXPECT_EQ(ReadFile(dir_.File("out.obt")), kOutput);
  }
  EXPECT_TRUE(UnfinishedFiles(dir_).empty());
}

TEST_F(TargetFileTest, TargetThatCannotKeepItsModeIsNotWritten) {
  WriteFile(dir_.File("out.obt"), kOldTarget);
  const int code = RunInChild({}, [&] {
    if (!testing_support::FailSystemCall(SYS_fchmod, EIO)) {
      return kChildNoFilter;
    }
    return RunResultCode(run_, source(), dir_.File("out.obt"));
  });
  if (code == kChildNoFilter) GTEST_SKIP() << "no seccomp filter";
  EXPECT_EQ(code, static_cast<int>(RunResult::kFileNameError));
  EXPECT_EQ(ReadFile(dir_.File("out.obt")), kOldTarget);
  EXPECT_TRUE(UnfinishedFiles(dir_).empty());
}

TEST_F(TargetFileTest, WritesThroughSymbolicLinks) {
  ASSERT_EQ(::mkdir(dir_.File("real").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir(dir_.File("links").c_str(), 0755), 0);
  WriteFile(dir_.File("real/a.obt"), kOldTarget);
  struct LinkCase {
    std::string link;
    std::string points_to;
    std::string file;
  };
  const std::vector<LinkCase> cases = {
      {"links/absolute.obt", dir_.File("real/a.obt"), "real/a.obt"},
      {"links/relative.obt", "../real/a.obt", "real/a.obt"},
      {"links/chain.obt", "relative.obt", "real/a.obt"},
      {"links/dangling.obt", "../real/new.obt", "real/new.obt"},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.link);
    WriteFile(dir_.File("real/a.obt"), kOldTarget);
    if (::access(dir_.File(c.link).c_str(), F_OK) != 0) {
      ASSERT_EQ(::symlink(c.points_to.c_str(), dir_.File(c.link).c_str()), 0);
    }
    ASSERT_EQ(run_.Run(source(), dir_.File(c.link)), RunResult::kSucceeded);
    struct stat info {};
    ASSERT_EQ(::lstat(dir_.File(c.link).c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(ReadFile(dir_.File(c.file)), kOutput);
  }
}

TEST_F(TargetFileTest, FifoIsWrittenDirectly) {
  const std::string fifo = dir_.File("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  // Without a reader the run is refused instead of waiting for one.
  EXPECT_EQ(run_.Run(source(), fifo), RunResult::kFileNameError);

  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(run_.Run(source(), fifo), RunResult::kSucceeded);
  std::string got(4096, '\0');
  const ssize_t length = ::read(reader, got.data(), got.size());
  ::close(reader);
  ASSERT_GE(length, 0);
  got.resize(static_cast<std::size_t>(length));
  EXPECT_EQ(got, kOutput);
  struct stat info {};
  ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// An ending signal on another thread, while a set of files takes its
// places, waits for them instead of removing one of them half-way.
TEST_F(TargetFileTest, AnEndingSignalWaitsForFilesBeingPlaced) {
  const std::string target = dir_.File("placed.obj");
  WriteFile(target, kOldTarget);
  files::TargetFile file;
  ASSERT_EQ(file.OpenAnyName(target), 0);
  ASSERT_EQ(::write(file.fd(), "new", 3), 3);
  ASSERT_EQ(file.Sync(), 0);
  file.MarkPlacing();
  std::thread handler(files::RemoveUnfinishedFiles);
  // Give the handler time to meet the file being placed.
  ::usleep(20'000);
  ASSERT_EQ(file.Place(), 0);
  EXPECT_TRUE(file.replaced());
  file.Settle();
  handler.join();
  EXPECT_EQ(ReadFile(target), "new");
  std::set<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    names.insert(entry.path().filename());
  }
  EXPECT_EQ(names, (std::set<std::string>{"placed.obj", "source.obt"}));
}

struct PermissionCase {
  std::string name;
  std::string source;
  std::string target;
  std::function<void(const TempDir&)> restrict;
};

TEST(TargetPermissionTest, UnwritableTargetsAndUnreadableSources) {
  if (!testing_support::CanRunAsNobody()) GTEST_SKIP() << "no uid 65534";
  const std::vector<PermissionCase> cases = {
      {"existing target not writable", "source.obt", "target.obt",
       [](const TempDir& dir) {
         ::chmod(dir.File("target.obt").c_str(), 0444);
       }},
      {"directory not writable", "source.obt", "locked/new.obt",
       [](const TempDir& dir) { ::chmod(dir.File("locked").c_str(), 0555); }},
      {"source not readable", "source.obt", "target.obt",
       [](const TempDir& dir) { ::chmod(dir.File("source.obt").c_str(), 0); }},
  };
  for (const PermissionCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    WriteFile(dir.File("source.obt"), kSource);
    WriteFile(dir.File("target.obt"), kOldTarget);
    ASSERT_EQ(::chmod(dir.File("source.obt").c_str(), 0644), 0);
    ASSERT_EQ(::chmod(dir.File("target.obt").c_str(), 0644), 0);
    ASSERT_EQ(::mkdir(dir.File("locked").c_str(), 0777), 0);
    c.restrict(dir);
    const int code = RunInChild({.as_nobody = true}, [&] {
      JobRun run;
      run.inputs.target_octant_checked = Octants({2});
      return RunResultCode(run, dir.File(c.source), dir.File(c.target));
    });
    EXPECT_EQ(code, static_cast<int>(RunResult::kFileNameError));
    EXPECT_EQ(ReadFile(dir.File("target.obt")), kOldTarget);
    EXPECT_TRUE(UnfinishedFiles(dir).empty());
    ::chmod(dir.File("locked").c_str(), 0755);
  }
}

}  // namespace
}  // namespace obt_test
