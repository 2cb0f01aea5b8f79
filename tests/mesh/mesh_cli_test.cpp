// obtmirror-cli import and export as a script runs them: exit status,
// messages, and the files left behind.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "mesh_files.h"
#include "support/child.h"
#include "support/obt_text.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

namespace {

using testing_support::Child;
using testing_support::ChildOutcome;
using testing_support::CrLf;
using testing_support::ObtText;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

using Words = std::vector<std::string>;

constexpr char kOldTarget[] = "old target";
const std::string kNameError = "Fehler in Dateinamen aufgetreten\n";
const std::string kQuadObj =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\nl 1 3\n";
const std::string kQuadObt =
    ObtText(2, {"0 0 0", "1 0 0", "1 1 0", "0 1 0"}, {"0 1 2 5", "0 2 3 5"});

struct Case {
  const char* name;
  std::string input;  // the bytes of the file read
  Words arguments;
  int exit_status;
  std::string standard_output;
  std::string standard_error;
  // The target afterwards; the old one when empty.
  std::string target = {};
};

class MeshCliTest : public ::testing::Test {
 protected:
  ChildOutcome Cli(const Words& arguments) {
    return Child(OBTMIRROR_CLI_PATH, arguments, {.directory = dir_.path()})
        .Wait();
  }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  // Runs `command` on a fresh directory holding the file `input` with the
  // case's bytes and an old `target`, and checks what it printed and how it
  // ended. "--in" and "--out" in the case's arguments stand for other
  // paths of the two files.
  void RunCase(const std::string& command, const std::string& input,
               const std::string& target, const Case& c);

  TempDir dir_;
  // Messages name a file by its full path.
  const std::string in_dir_ =
      "obtmirror-cli: " + std::filesystem::canonical(dir_.path()).string() +
      "/";
};

void MeshCliTest::RunCase(const std::string& command, const std::string& input,
                          const std::string& target, const Case& c) {
  std::filesystem::remove_all(dir_.path());
  std::filesystem::create_directory(dir_.path());
  WriteFile(dir_.File(input), c.input);
  WriteFile(dir_.File(target), kOldTarget);
  Words arguments = {command, input, target};
  for (std::size_t i = 0; i < c.arguments.size(); ++i) {
    if (c.arguments[i] == "--in") {
      arguments[1] = c.arguments[++i];
    } else if (c.arguments[i] == "--out") {
      arguments[2] = c.arguments[++i];
    } else {
      arguments.push_back(c.arguments[i]);
    }
  }
  const ChildOutcome run = Cli(arguments);
  EXPECT_EQ(run.exit_status(), c.exit_status);
  EXPECT_EQ(run.standard_output, c.standard_output);
  EXPECT_EQ(run.standard_error, c.standard_error);
  EXPECT_EQ(ReadFile(dir_.File(input)), c.input);
}

TEST_F(MeshCliTest, ImportReportsEachOutcome) {
  const std::vector<Case> cases = {
      {"imported",
       kQuadObj,
       {"--scale", "1", "--fourth", "5"},
       0,
       "4 points, 2 triangles, 1 mesh read, scale 1\n",
       in_dir_ + "m.obj: left out 0 points and 1 line\n",
       kQuadObt},
      {"moved and fitted",
       kQuadObj,
       {"--fit", "2", "--offset", "-1,0,2147483645", "--flip"},
       0,
       "4 points, 2 triangles, 1 mesh read, scale 2\n",
       in_dir_ + "m.obj: left out 0 points and 1 line\n",
       ObtText(2,
               {"-1 0 2147483645", "1 0 2147483645", "1 2 2147483645",
                "-1 2 2147483645"},
               {"1 0 2 0", "2 0 3 0"})},
      {"not a mesh",
       "hello\n",
       {},
       1,
       "",
       in_dir_ + "m.obj: OBJ-file is too small.\n"},
      {"empty scene",
       "v 0 0 0\nv 1 0 0\nl 1 2\n",
       {},
       1,
       "",
       in_dir_ + "m.obj: the file holds no triangle\n"},
      {"NaN",
       "v nan 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n",
       {},
       1,
       "",
       in_dir_ +
           "m.obj: vertex 0 (as the mesh library numbers them, not the file) "
           "of mesh 0 has a coordinate that is no finite number\n"},
      {"out of range",
       kQuadObj,
       {"--scale", "3e9"},
       1,
       "",
       in_dir_ +
           "m.obj: vertex 1 (as the mesh library numbers them, not the file) "
           "of mesh 0 comes to x = 3000000000, outside the 32-bit range of OBT "
           "coordinates\n"},
      {"no extent to fit",
       "v 1 1 1\nf 1 1 1\n",
       {},
       1,
       "",
       in_dir_ + "m.obj: every vertex lies at one place, so the object has no "
                 "extent to fit; give --scale\n"},
      {"missing mesh",
       "",
       {"--in", "nowhere.obj"},
       1,
       "",
       in_dir_ + "nowhere.obj: No such file or directory\n"},
      {"mesh is the target",
       kQuadObj,
       {"--out", "m.obj"},
       2,
       "",
       in_dir_ + "m.obj: source and target are the same file\n" + kNameError},
      {"target in a missing directory",
       kQuadObj,
       {"--out", "no/t.obt"},
       2,
       "",
       in_dir_ + "no/t.obt: No such file or directory\n" + kNameError},
      {"full device",
       kQuadObj,
       {"--out", "/dev/full"},
       2,
       "",
       "obtmirror-cli: /dev/full: could not be written\n"
       "Kapazität der Diskette/Festplatte erschöpft.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunCase("import", "m.obj", "t.obt", c);
    EXPECT_EQ(ReadFile(dir_.File("t.obt")),
              c.target.empty() ? kOldTarget : c.target);
    EXPECT_EQ(Names(), (std::set<std::string>{"m.obj", "t.obt"}));
  }
}

TEST_F(MeshCliTest, ExportReportsEachOutcome) {
  const std::string obj_written = "4 points, 2 triangles written as obj to " +
                                  in_dir_.substr(15) + "t.obj (replaced), " +
                                  in_dir_.substr(15) + "t.mtl\n";
  const std::vector<Case> cases = {
      {"exported", kQuadObt, {}, 0, obj_written, ""},
      {"a corner outside the points",
       CrLf({"QZ_OBT", "2.000000", "3", "0 0 0", "1 0 0", "0 1 0", "2",
             "0 1 2 0", "", "0 1 3 0", "0"}),
       {},
       1,
       "",
       in_dir_ +
           "s.obt: line 10: triangle 1 names point 3, but the object has 3 "
           "points\n"},
      {"no triangle",
       ObtText(1, {"0 0 0"}),
       {},
       1,
       "",
       in_dir_ + "s.obt: the object holds no triangle\n"},
      {"cut short",
       CrLf({"QZ_OBT", "1.000000", "3", "0 0 0", "1 0 0"}),
       {},
       1,
       "",
       in_dir_ + "s.obt: the file holds 2 whole points of the 3 that line 3 "
                 "announces\n"},
      {"malformed number",
       ObtText(1, {"0 0,5 0"}),
       {},
       2,
       "",
       in_dir_ + "s.obt: line 4\nUngültige numerische Eingabe.\n"},
      {"not an OBT file", "QZ_OBT \r\n", {}, 1, "", "Kein gültiger OBT-File\n"},
      {"missing source",
       kQuadObt,
       {"--in", "nowhere.obt"},
       1,
       "",
       in_dir_ + "nowhere.obt: No such file or directory\n" + kNameError},
      {"source as target",
       kQuadObt,
       {"--out", "s.obt", "--format", "obj"},
       2,
       "",
       in_dir_ + "s.obt: source and target are the same file\n" + kNameError},
      {"target in a missing directory",
       kQuadObt,
       {"--out", "no/t.obj"},
       2,
       "",
       in_dir_ + "no/t.obj: No such file or directory\n" + kNameError},
      {"full device",
       kQuadObt,
       {"--out", "/dev/full", "--format", "plyb"},
       2,
       "",
       "obtmirror-cli: /dev/full: No space left on device\n"
       "Kapazität der Diskette/Festplatte erschöpft.\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunCase("export", "s.obt", "t.obj", c);
    if (c.exit_status == 0) {
      EXPECT_EQ(Names(), (std::set<std::string>{"s.obt", "t.obj", "t.mtl"}));
      EXPECT_NE(ReadFile(dir_.File("t.obj")).find("usemtl FourthValue005"),
                std::string::npos);
    } else {
      EXPECT_EQ(ReadFile(dir_.File("t.obj")), kOldTarget);
      EXPECT_EQ(Names(), (std::set<std::string>{"s.obt", "t.obj"}));
    }
  }
}

TEST_F(MeshCliTest, RefusesWrongArgumentsWithUsage) {
  WriteFile(dir_.File("m.obj"), kQuadObj);
  WriteFile(dir_.File("s.obt"), kQuadObt);
  const std::vector<Words> cases = {
      {"import", "m.obj"},
      {"import", "m.obj", "t.obt", "--scale", "1", "--fit", "10"},
      {"import", "m.obj", "t.obt", "--offset", "1,2,3", "--move-into", "1"},
      {"import", "m.obj", "t.obt", "--scale", "0"},
      {"import", "m.obj", "t.obt", "--scale", "-1"},
      {"import", "m.obj", "t.obt", "--fit", "1.5"},
      {"import", "m.obj", "t.obt", "--offset", "1,2"},
      {"import", "m.obj", "t.obt", "--offset", "0,0,2147483648"},
      {"import", "m.obj", "t.obt", "--move-into", "3"},
      {"import", "m.obj", "t.obt", "--fourth", "256"},
      {"export", "s.obt"},
      {"export", "s.obt", "t.xyz"},
      {"export", "s.obt", "t"},
      {"export", "s.obt", "t.obj", "--format", "3mf"},
      {"export", "s.obt", "t.3ds", "--format", "3ds"},
      {"export", "s.obt", "t.gltf", "--format", "gltf"},
      {"export", "s.obt", "t.fbx", "--format", "fbx"},
      {"export", "s.obt", "t.3ds"},
      {"export", "s.obt", "t.obj", "--scale", "nan"},
  };
  for (const Words& arguments : cases) {
    const ChildOutcome run = Cli(arguments);
    EXPECT_EQ(run.exit_status(), 64) << ::testing::PrintToString(arguments);
    EXPECT_NE(run.standard_error.find("obtmirror-cli"), std::string::npos);
    EXPECT_EQ(run.standard_output, "");
  }
  EXPECT_EQ(Names(), (std::set<std::string>{"m.obj", "s.obt"}));
}

// What a user sees of a file's orientation: a cube placed by glTF nodes,
// imported and checked as a script would.
TEST_F(MeshCliTest, ImportedCubesFaceTheWayTheFileMeans) {
  // A unit cube, every face turned outward.
  const std::vector<mesh_test::Vertex> corners = {
      {0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0},
      {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
  const std::vector<mesh_test::Corners> faces = {
      {0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
      {3, 7, 6}, {3, 6, 2}, {0, 4, 7}, {0, 7, 3}, {1, 2, 6}, {1, 6, 5}};
  const std::string outward =
      "the result is closed and its signed volume is positive: it faces "
      "outward";
  const struct {
    const char* name;
    std::string nodes;
    std::string roots;
    std::vector<std::string> options;
    std::string verdict;
  } cases[] = {
      {"plain", R"([{"mesh": 0}])", "[0]", {}, outward},
      {"mirrored in x",
       R"([{"mesh": 0, "scale": [-1, 1, 1]}])",
       "[0]",
       {},
       outward},
      {"one plain and one mirrored instance",
       R"([{"mesh": 0, "translation": [5, 0, 0]},)"
       R"( {"mesh": 0, "matrix": [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0,)"
       R"( 0, 0, 0, 1]}])",
       "[0, 1]",
       {},
       outward},
      {"mirrored, with --flip",
       R"([{"mesh": 0, "scale": [-1, 1, 1]}])",
       "[0]",
       {"--flip"},
       "the result is closed, but its signed volume is negative: it is "
       "inside out"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(dir_.File("m.gltf"),
              mesh_test::Gltf(corners, faces, c.nodes, c.roots));
    Words import = {"import", "m.gltf", "m.obt", "--scale", "10", "--quiet"};
    import.insert(import.end(), c.options.begin(), c.options.end());
    ASSERT_EQ(Cli(import).exit_status(), 0);
    const ChildOutcome check = Cli({"check", "m.obt", "--to", "none"});
    EXPECT_NE(check.standard_output.find(c.verdict), std::string::npos)
        << check.standard_output;
    EXPECT_EQ(check.standard_output.find(" part "), std::string::npos)
        << check.standard_output;
  }
}

// The help text and the completion offer the formats that the module
// offers, which a refusal lists.
TEST_F(MeshCliTest, OffersTheSameFormatsEverywhere) {
  WriteFile(dir_.File("s.obt"), kQuadObt);
  const ChildOutcome refused =
      Cli({"export", "s.obt", "t.obj", "--format", "none"});
  const std::smatch listed = [&] {
    std::smatch match;
    std::regex_search(refused.standard_error, match,
                      std::regex("none of the formats ([a-z0-9, ]+)"));
    return match;
  }();
  ASSERT_FALSE(listed.empty()) << refused.standard_error;
  const std::string formats = listed[1];
  std::string words = std::regex_replace(formats, std::regex(", "), " ");
  // CLI11 wraps the help text, but not within a list of short words.
  const ChildOutcome help = Cli({"export", "--help"});
  EXPECT_NE(help.standard_output.find("written: " + formats + ";"),
            std::string::npos)
      << help.standard_output;
  EXPECT_NE(ReadFile(OBTMIRROR_COMPLETION_PATH).find('"' + words + '"'),
            std::string::npos);
}

// The asset library allocates its large arrays through the program's
// operator new, which asks for huge pages.
TEST_F(MeshCliTest, TheAssetLibraryAllocatesThroughTheProgram) {
  WriteFile(dir_.File("q.obt"), kQuadObt);
  // The loader tells to which object each of the libraries' symbols binds.
  ASSERT_EQ(::setenv("LD_DEBUG", "bindings", 1), 0);
  const ChildOutcome run = Cli({"export", "q.obt", "q.stl", "--quiet"});
  ::unsetenv("LD_DEBUG");
  ASSERT_EQ(run.exit_status(), 0) << run.standard_error;
  const std::pair<const char*, const char*> bindings[] = {
      {"libassimp\\.so\\S*", "_Znwm'"},
      {"libassimp\\.so\\S*", "_ZdlPv'"},
  };
  for (const auto& [library, symbol] : bindings) {
    const std::regex to_program(
        std::string(library) +
        " \\[0\\] to \\S*obtmirror-cli \\[0\\]: normal symbol `" + symbol);
    EXPECT_TRUE(std::regex_search(run.standard_error, to_program)) << symbol;
  }
}

}  // namespace
