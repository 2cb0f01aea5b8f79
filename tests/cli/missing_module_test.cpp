// A program installed with its engine and without its modules: the
// commands that need a module say which file they could not load, and the
// others work.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/child.h"
#include "support/temp_dir.h"

namespace {

using testing_support::Child;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr char kTriangle[] =
    "QZ_OBT\r\n2.000000\r\n3\r\n0 0 0\r\n4 0 4\r\n4 0 0\r\n1\r\n0 1 2 7\r\n"
    "0\r\n";

TEST(MissingModuleTest, CommandsThatNeedOneNameIt) {
  const TempDir dir;
  const std::string program = dir.File("bin/obtmirror-cli");
  std::filesystem::create_directory(dir.File("bin"));
  std::filesystem::copy_file(OBTMIRROR_CLI_PATH, program);
  const std::filesystem::path library_dir = dir.File(OBTMIRROR_LIBRARY_DIR);
  std::filesystem::create_directories(library_dir);
  std::filesystem::copy_file(
      OBTMIRROR_ENGINE_PATH,
      library_dir / std::filesystem::path(OBTMIRROR_ENGINE_PATH).filename());
  WriteFile(dir.File("t.obt"), kTriangle);
  WriteFile(dir.File("m.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
  const std::string mesh_module =
      "cannot load the mesh formats: " + dir.path() + "/lib/";
  const struct {
    std::vector<std::string> arguments;
    int exit_status;
    std::string error;
  } cases[] = {
      {{"export", "t.obt", "x.obj"}, 2, "obtmirror-cli: " + mesh_module},
      {{"import", "m.obj", "x.obt"}, 1, "obtmirror-cli: " + mesh_module},
      {{"preview", "t.obt", "--png", "x.png"},
       74,
       "obtmirror-cli: cannot write x.png: cannot load the PNG writer: " +
           dir.path() + "/lib/"},
      {{"preview", "t.obt", "--pbm", "x.pbm"}, 0, ""},
      {{"convert", "t.obt", "x.obt", "--quiet"}, 0, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.arguments.front());
    const testing_support::ChildOutcome run =
        Child(program, c.arguments, {.directory = dir.path()}).Wait();
    EXPECT_EQ(run.exit_status(), c.exit_status) << run.standard_error;
    if (c.error.empty()) {
      EXPECT_EQ(run.standard_error, "");
    } else {
      EXPECT_EQ(run.standard_error.substr(0, c.error.size()), c.error);
    }
  }
}

}  // namespace
