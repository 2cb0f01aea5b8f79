// The reader process as a user meets it through obtmirror-cli import: a
// file that crashes, spins, hoards or breaks out of the sandbox ends the
// reading alone, with one line, and the target stays as it was; the files
// a model refers to are read only from its folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "mesh_files.h"
#include "support/child.h"
#include "support/temp_dir.h"

namespace {

using testing_support::Child;
using testing_support::ChildOutcome;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr char kOldTarget[] = "old target";

#ifdef OBTMIRROR_SANITIZED
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// The model lives in dir/model/; the files beside that folder are outside.
class ReaderProcessTest : public ::testing::Test {
 protected:
  ReaderProcessTest() {
    std::filesystem::create_directory(Model(""));
    WriteFile(Model("t.obt"), kOldTarget);
  }

  std::string Model(const std::string& name) const {
    return dir_.File("model/" + name);
  }

  ChildOutcome Import(const std::string& name, std::vector<std::string> more) {
    std::vector<std::string> arguments = {"import", Model(name), Model("t.obt"),
                                          "--quiet"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return Child(OBTMIRROR_CLI_PATH, arguments, {.directory = dir_.path()})
        .Wait();
  }

  std::set<std::string> ModelFolder() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Model(""))) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  TempDir dir_;
};

TEST_F(ReaderProcessTest, EveryEndIsToldInOneLine) {
  struct Case {
    const char* name;
    std::string file;
    std::string bytes;
    std::vector<std::string> options;
    std::string line;  // a pattern
    bool needs_memory_bound = false;
  };
  // A sanitizer's handler of a crash, writing its report, makes calls that
  // the sandbox forbids.
  const std::string crashed =
      std::string(kSanitized ? "(the mesh library made a system call that the "
                               "sandbox forbids; the file may be made to "
                               "attack|"
                             : "(") +
      "the mesh library crashed on this file \\(signal [0-9]+\\); it may be "
      "damaged or made to attack)";
  std::string nested;
  for (int i = 0; i < 10000; ++i) nested += "<node>";
  for (int i = 0; i < 10000; ++i) nested += "</node>";
  const std::vector<Case> cases = {
      {"a crash", "m.crash-test", "", {}, crashed},
      {"10,000 nested COLLADA nodes, deeper than the stack",
       "m.dae",
       "<?xml version=\"1.0\"?><COLLADA version=\"1.4.1\"><library_visual_"
       "scenes><visual_scene id=\"s\">" +
           nested +
           "</visual_scene></library_visual_scenes><scene><instance_visual_"
           "scene url=\"#s\"/></scene></COLLADA>",
       {},
       crashed},
      {"processor time",
       "m.spin-test",
       "",
       {"--time-limit", "1"},
       "the mesh library took more than 1 s of processor time on this file "
       "\\(--time-limit\\)"},
      {"silence",
       "m.sleep-test",
       "",
       {"--time-limit", "1"},
       "the mesh library stopped answering on this file \\(nothing for 7 s\\); "
       "it may be damaged or made to attack \\(--time-limit\\)"},
      {"memory",
       "m.hoard-test",
       "",
       {"--memory-limit", "128M"},
       "the mesh library needed more than 128 MiB of memory for this file "
       "\\(--memory-limit\\)",
       true},
      {"a forbidden call",
       "m.socket-test",
       "",
       {},
       "the mesh library made a system call that the sandbox forbids; the "
       "file may be made to attack"},
      {"2^31 vertices in a few bytes",
       "m.ply",
       "ply\nformat binary_little_endian 1.0\nelement vertex 2147483648\n"
       "property float x\nproperty float y\nproperty float z\nend_header\n",
       {},
       "the mesh library needed more than [0-9.]+ MiB of memory for this file "
       "\\(--memory-limit\\)",
       true},
      {"a format that is not known",
       "m.md5mesh",
       "MD5Version 10\n",
       {},
       "no reader for .md5mesh files among the known formats \\(OBJ, .*\\); "
       "--any-format tries every reader of the mesh library"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needs_memory_bound && kSanitized) continue;
    std::filesystem::remove(Model("m.obj"));
    WriteFile(Model(c.file), c.bytes);
    const ChildOutcome run = Import(c.file, c.options);
    EXPECT_EQ(run.exit_status(), 1);
    EXPECT_EQ(run.standard_output, "");
    EXPECT_TRUE(std::regex_match(
        run.standard_error,
        std::regex("obtmirror-cli: " +
                   std::regex_replace(Model(c.file),
                                      std::regex("[.^$|()\\[\\]*+?{}\\\\]"),
                                      "\\$&") +
                   ": " + c.line + "\n")))
        << run.standard_error;
    EXPECT_EQ(ReadFile(Model("t.obt")), kOldTarget);
    EXPECT_EQ(ModelFolder(), (std::set<std::string>{c.file, "t.obt"}));
    std::filesystem::remove(Model(c.file));
  }
}

// The processes whose command line holds `word`.
int ProcessesNaming(const std::string& word) {
  int found = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    std::string line;
    try {
      line = ReadFile(entry.path().string() + "/cmdline");
    } catch (const std::exception&) {
      continue;
    }
    found += line.find(word) != std::string::npos;
  }
  return found;
}

TEST_F(ReaderProcessTest, TheReaderEndsWithTheCommand) {
  WriteFile(Model("m.sleep-test"), "");
  Child command(OBTMIRROR_CLI_PATH,
                {"import", Model("m.sleep-test"), Model("t.obt"), "--quiet"},
                {.directory = dir_.path()});
  // The command and its reader, a copy of it.
  for (int tries = 0; ProcessesNaming(Model("m.sleep-test")) < 2; ++tries) {
    ASSERT_LT(tries, 1000) << "no reader started";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // Only the command, as `kill` would: the reader must go all the same.
  command.Signal(SIGINT);
  const ChildOutcome run = command.Wait();
  EXPECT_TRUE(WIFSIGNALED(run.wait_status) &&
              WTERMSIG(run.wait_status) == SIGINT);
  for (int tries = 0; ProcessesNaming(Model("m.sleep-test")) > 0; ++tries) {
    ASSERT_LT(tries, 500) << "the reader outlived the command";
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(ReadFile(Model("t.obt")), kOldTarget);
  EXPECT_EQ(ModelFolder(), (std::set<std::string>{"m.sleep-test", "t.obt"}));
}

// Whether anything opened a file directly in `folder` while it lived.
class OpenWatch {
 public:
  explicit OpenWatch(const std::string& folder)
      : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    if (fd_ < 0 || ::inotify_add_watch(fd_, folder.c_str(), IN_OPEN) < 0) {
      throw std::runtime_error("cannot watch " + folder);
    }
  }
  ~OpenWatch() { ::close(fd_); }

  // The names opened since the last call, but those of folders.
  std::set<std::string> Opened() const {
    std::set<std::string> names;
    alignas(inotify_event) char events[4096];
    ssize_t got = 0;
    while ((got = ::read(fd_, events, sizeof events)) > 0) {
      for (ssize_t at = 0; at < got;) {
        const auto* event = reinterpret_cast<const inotify_event*>(events + at);
        if ((event->mask & IN_ISDIR) == 0 && event->len > 0) {
          names.insert(event->name);
        }
        at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
      }
    }
    return names;
  }

 private:
  int fd_;
};

TEST_F(ReaderProcessTest, ReadsCompanionFilesOnlyFromTheModelsFolder) {
  const std::vector<mesh_test::Vertex> triangle = {
      {0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  const std::string outside = dir_.File("outside.bin");
  WriteFile(outside, mesh_test::GltfBuffer(triangle, {{0, 1, 2}}));
  WriteFile(dir_.File("outside.mtl"), "newmtl x\nKd 1 0 0\n");
  std::filesystem::create_symlink("../outside.bin", Model("link.bin"));
  ASSERT_EQ(::mkfifo(Model("fifo.bin").c_str(), 0600), 0);
  const std::string obj = "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n";
  struct Case {
    const char* name;
    std::string file;
    std::string bytes;
    int exit_status;
    std::string line;
  };
  const auto gltf = [&](const std::string& uri) {
    return mesh_test::GltfWithBuffer(triangle, {{0, 1, 2}}, uri);
  };
  const std::vector<Case> cases = {
      {"a buffer above the folder", "m.gltf", gltf("../outside.bin"), 1,
       "buffer \"../outside.bin\" lies outside the model's folder"},
      {"an absolute buffer", "m.gltf", gltf(outside), 1,
       "buffer \"" + outside + "\" lies outside the model's folder"},
      {"a file URI", "m.gltf", gltf("file://" + outside), 1,
       "buffer \"file://" + outside +
           "\" names a scheme other than data:, which is refused"},
      {"a link out of the folder", "m.gltf", gltf("link.bin"), 1,
       "buffer \"link.bin\" lies outside the model's folder"},
      {"a FIFO", "m.gltf", gltf("fifo.bin"), 1,
       "buffer \"fifo.bin\" is no regular file"},
      {"an OBJ's material library above the folder", "m.obj",
       "mtllib ../outside.mtl\n" + obj, 0,
       "material library \"../outside.mtl\" lies outside the model's folder"},
      {"an OBJ's material library that is a FIFO", "m.obj",
       "mtllib fifo.bin\n" + obj, 0,
       "material library \"fifo.bin\" is no regular file"},
  };
  const OpenWatch watch(dir_.path());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(Model(c.file), c.bytes);
    const ChildOutcome run = Import(c.file, {"--scale", "1"});
    EXPECT_EQ(run.exit_status(), c.exit_status) << run.standard_error;
    const std::string first_line =
        run.standard_error.substr(0, run.standard_error.find('\n'));
    EXPECT_EQ(first_line, "obtmirror-cli: " + Model(c.file) + ": " + c.line);
    EXPECT_EQ(watch.Opened(), std::set<std::string>{});
    std::filesystem::remove(Model(c.file));
  }
}

TEST_F(ReaderProcessTest, TheLibraryCannotOpenAFileOutsideBehindOurBack) {
  WriteFile(dir_.File("secret"), "secret");
  WriteFile(Model("inside"), "inside");
  for (const std::string& path : {dir_.File("secret"), Model("inside")}) {
    SCOPED_TRACE(path);
    WriteFile(Model("m.peek-test"), path);
    const ChildOutcome run = Import("m.peek-test", {});
    EXPECT_EQ(run.exit_status(), 1);
    EXPECT_EQ(run.standard_error,
              "obtmirror-cli: " + Model("m.peek-test") + ": " +
                  (path == Model("inside")
                       ? "opened " + path
                       : "cannot open " + path + ": Permission denied") +
                  "\n");
  }
}

}  // namespace
