// Bitmap files of "obtmirror-cli preview" that cannot be written: one
// message, exit status 74, and an existing image left as it was.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/child.h"
#include "support/reachable_program.h"
#include "support/temp_dir.h"

namespace {

using testing_support::Child;
using testing_support::ChildOutcome;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr char kFront[] =
    "QZ_OBT\r\n2.000000\r\n3\r\n0 0 0\r\n4 0 4\r\n4 0 0\r\n1\r\n0 1 2 7\r\n"
    "0\r\n";
constexpr char kOldImage[] = "old image\n";
// Both formats of a drawing this large take well over the limit below.
constexpr char kSize[] = "400x300";
constexpr rlim_t kSmallLimit = 100;

struct BitmapFailureCase {
  std::string name;
  std::string path;
  rlim_t file_size_limit;
  std::string reason;
};

TEST(BitmapFileTest, FailedWritesAreReportedAndLoseNothing) {
  if (!testing_support::CanRunAsNobody()) GTEST_SKIP() << "no uid 65534";
  const testing_support::ReachableProgram cli_program(OBTMIRROR_CLI_PATH);
  const std::vector<BitmapFailureCase> cases = {
      {"full device", "/dev/full", RLIM_INFINITY, "No space left on device"},
      {"directory not writable", "locked/new", RLIM_INFINITY,
       "Permission denied"},
      {"empty path", "", RLIM_INFINITY, "No such file or directory"},
      {"file-size limit half-way", "old-image", kSmallLimit, "File too large"},
  };
  for (const std::string format : {"--pbm", "--png"}) {
    for (const BitmapFailureCase& c : cases) {
      SCOPED_TRACE(format + " " + c.name);
      TempDir dir;
      // Unprivileged, so that the locked directory counts and nothing that
      // went wrong could replace the system's /dev/full.
      ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
      WriteFile(dir.File("front.obt"), kFront);
      WriteFile(dir.File("old-image"), kOldImage);
      for (const std::string name : {"front.obt", "old-image"}) {
        ASSERT_EQ(::chmod(dir.File(name).c_str(), 0666), 0);
      }
      ASSERT_EQ(::mkdir(dir.File("locked").c_str(), 0555), 0);
      auto preview = [&](const std::string& image, rlim_t file_size_limit) {
        return Child(cli_program.path(),
                     {"preview", "front.obt", "--size", kSize, format, image},
                     {.directory = dir.path(),
                      .file_size_limit = file_size_limit,
                      .as_nobody = true})
            .Wait();
      };
      const ChildOutcome full = preview("complete", RLIM_INFINITY);
      ASSERT_EQ(full.exit_status(), 0) << full.standard_error;
      ASSERT_GT(std::filesystem::file_size(dir.File("complete")), kSmallLimit);

      const ChildOutcome cli = preview(c.path, c.file_size_limit);
      EXPECT_EQ(cli.exit_status(), 74);
      const std::string shown = c.path.empty() ? "\"\"" : c.path;
      EXPECT_EQ(cli.standard_error, "obtmirror-cli: cannot write " + shown +
                                        ": " + c.reason + "\n");
      EXPECT_EQ(ReadFile(dir.File("old-image")), kOldImage);
      for (const std::string folder : {"", "locked"}) {
        for (const auto& entry :
             std::filesystem::directory_iterator(dir.File(folder))) {
          EXPECT_EQ(entry.path().filename().string().find("unfinished"),
                    std::string::npos)
              << entry.path();
        }
      }
      ::chmod(dir.File("locked").c_str(), 0755);
    }
  }
}

}  // namespace
