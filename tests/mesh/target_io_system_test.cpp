#include "mesh/target_io_system.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <assimp/IOStream.hpp>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace {

using mesh::TargetIoSystem;
using mesh::WriteFailure;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

std::set<std::string> Names(const std::string& dir) {
  std::set<std::string> names;
  DIR* const stream = ::opendir(dir.c_str());
  while (const dirent* entry = ::readdir(stream)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.insert(name);
  }
  ::closedir(stream);
  return names;
}

// Writes `bytes` through a stream of `files` to `path`.
void Write(TargetIoSystem& files, const std::string& path,
           const std::string& bytes) {
  Assimp::IOStream* const stream = files.Open(path.c_str(), "wb");
  ASSERT_NE(stream, nullptr);
  stream->Write(bytes.data(), 1, bytes.size());
  files.Close(stream);
}

struct CompanionCase {
  const char* name;
  // Makes what lies at m.mtl, with "elsewhere" beside it, before the export.
  std::function<void(const TempDir&)> arrange;
  // The failure, or kNone for an export that goes through.
  WriteFailure::Kind failure;
  // "m.mtl" is replaced, never what it leads to.
  bool mtl_replaced;
};

// An export writes m.obj and m.mtl beside it, which were "old obj" and
// whatever the case put there: both change, or neither; nothing is written
// through a link; no unfinished file stays.
TEST(TargetIoSystemTest, WritesEveryFileWholeOrNoneAndNeverThroughALink) {
  const std::vector<CompanionCase> cases = {
      {"new companion", [](const TempDir&) {}, WriteFailure::Kind::kNone,
       false},
      {"old companion",
       [](const TempDir& dir) { WriteFile(dir.File("m.mtl"), "old mtl"); },
       WriteFailure::Kind::kNone, true},
      {"companion a link to a file elsewhere",
       [](const TempDir& dir) {
         ASSERT_EQ(::symlink("elsewhere", dir.File("m.mtl").c_str()), 0);
       },
       WriteFailure::Kind::kNone, true},
      {"companion a dangling link",
       [](const TempDir& dir) {
         ASSERT_EQ(::symlink("nowhere", dir.File("m.mtl").c_str()), 0);
       },
       WriteFailure::Kind::kNone, true},
      {"companion a FIFO",
       [](const TempDir& dir) {
         ASSERT_EQ(::mkfifo(dir.File("m.mtl").c_str(), 0600), 0);
       },
       WriteFailure::Kind::kNotRegular, false},
      // The mesh's move fails once the companion has taken its place: the
      // old companion is put back.
      {"the last move fails",
       [](const TempDir& dir) { WriteFile(dir.File("m.mtl"), "old mtl"); },
       WriteFailure::Kind::kWriteFailed, false},
  };
  for (const CompanionCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TempDir dir;
    WriteFile(dir.File("m.obj"), "old obj");
    WriteFile(dir.File("elsewhere"), "elsewhere");
    c.arrange(dir);
    std::set<std::string> before = Names(dir.path());
    struct stat mtl_before {};
    ::lstat(dir.File("m.mtl").c_str(), &mtl_before);

    TargetIoSystem files("/nonexistent/source.obt", dir.File("m.obj"));
    Write(files, dir.File("m.obj"), "new obj");
    Write(files, dir.File("m.mtl"), "new mtl");
    if (c.failure == WriteFailure::Kind::kWriteFailed) {
      // Without its unfinished file, the mesh cannot take its place.
      for (const std::string& name : Names(dir.path())) {
        if (name.starts_with("m.obj.")) ::unlink(dir.File(name).c_str());
      }
    }
    const bool committed = files.CommitAll();
    EXPECT_EQ(files.failure().kind, c.failure);
    if (committed) before.insert("m.mtl");
    EXPECT_EQ(Names(dir.path()), before);
    EXPECT_EQ(ReadFile(dir.File("elsewhere")), "elsewhere");
    if (c.failure != WriteFailure::Kind::kNone) {
      EXPECT_FALSE(committed);
      EXPECT_EQ(ReadFile(dir.File("m.obj")), "old obj");
      struct stat mtl_after {};
      ::lstat(dir.File("m.mtl").c_str(), &mtl_after);
      EXPECT_EQ(mtl_after.st_ino, mtl_before.st_ino);
      continue;
    }
    ASSERT_TRUE(committed);
    EXPECT_EQ(ReadFile(dir.File("m.obj")), "new obj");
    EXPECT_EQ(ReadFile(dir.File("m.mtl")), "new mtl");
    EXPECT_EQ(files.files(), (std::vector<mesh::WrittenFile>{
                                 {dir.File("m.obj"), true},
                                 {dir.File("m.mtl"), c.mtl_replaced}}));
  }
}

}  // namespace
