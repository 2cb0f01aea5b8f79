// End-to-end runs with --clip: what convert writes and says, and what check
// reports of the cut object.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "support/child.h"
#include "support/obt_text.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

namespace {

using testing_support::Child;
using testing_support::ChildOutcome;
using testing_support::ObtText;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

const std::string kOk = "Berechnung der 3D-Daten erfolgreich beendet\n";

ChildOutcome Cli(const TempDir& dir, std::vector<std::string> arguments) {
  return Child(OBTMIRROR_CLI_PATH, std::move(arguments),
               {.directory = dir.path()})
      .Wait();
}

TEST(ConvertClipTest, CutsAtThePlanesAndRunsOnTheCutObject) {
  const struct {
    const char* name;
    std::string source;
    // What the cut makes of it, which the run then mirrors.
    std::string cut;
    std::string said;
  } cases[] = {
      {"wholly inside: the run of the source itself",
       ObtText(1, {"-6 -3 0", "0 -3 -2", "-6 -9 0"}, {"0 1 2 5"}),
       ObtText(1, {"-6 -3 0", "0 -3 -2", "-6 -9 0"}, {"0 1 2 5"}),
       "clipped: 0 triangles cut, 0 dropped, 0 points added\n"},
      // The edges into x > 0 meet the plane at (0, -3) and (0, -6); the
      // part kept starts at its least corner, point 2, and point 1 goes.
      {"crossing x = 0",
       ObtText(2, {"-6 -3 0", "6 -3 0", "-6 -9 0", "9 9 9"}, {"0 1 2 5"}),
       ObtText(2, {"-6 -3 0", "-6 -9 0", "0 -3 0", "0 -6 0"},
               {"1 0 2 5", "1 2 3 5"}),
       "clipped: 1 triangles cut, 0 dropped, 2 points added\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TempDir dir;
    WriteFile(dir.File("s.obt"), c.source);
    WriteFile(dir.File("cut.obt"), c.cut);
    const ChildOutcome clipped =
        Cli(dir, {"convert", "s.obt", "t.obt", "--to", "2", "--clip"});
    EXPECT_EQ(clipped.exit_status(), 0) << clipped.standard_error;
    EXPECT_EQ(clipped.standard_output, c.said + kOk);
    EXPECT_EQ(
        Cli(dir, {"convert", "cut.obt", "u.obt", "--to", "2"}).exit_status(),
        0);
    EXPECT_EQ(ReadFile(dir.File("t.obt")), ReadFile(dir.File("u.obt")));
  }
}

TEST(ConvertClipTest, CheckTellsWhatTheCutDoesAndRefusesBadTriangles) {
  const TempDir dir;
  WriteFile(dir.File("s.obt"),
            ObtText(2, {"-6 -3 0", "6 -3 0", "-6 -9 0"}, {"0 1 2 5"}));
  const ChildOutcome plain = Cli(dir, {"check", "s.obt", "--to", "2"});
  EXPECT_NE(plain.standard_output.find(
                "5: point 1 (x 6) lies beyond the mirror plane x = 0: the "
                "object crosses it and its copies overlap; --clip cuts it "
                "there\n"),
            std::string::npos)
      << plain.standard_output;
  const ChildOutcome clipped =
      Cli(dir, {"check", "s.obt", "--to", "2", "--clip"});
  EXPECT_NE(clipped.standard_output.find(
                "--clip cuts 1 triangles at the mirror planes, drops 0 and "
                "adds 2 points: nothing is left beyond a plane\n"),
            std::string::npos)
      << clipped.standard_output;
  EXPECT_EQ(clipped.standard_output.find("beyond the mirror plane"),
            std::string::npos);

  WriteFile(dir.File("bad.obt"),
            ObtText(2, {"-6 -3 0", "6 -3 0"}, {"0 1 7 5"}));
  WriteFile(dir.File("t.obt"), "old target");
  const ChildOutcome bad =
      Cli(dir, {"convert", "bad.obt", "t.obt", "--to", "2", "--clip"});
  EXPECT_EQ(bad.exit_status(), 1);
  EXPECT_EQ(bad.standard_error,
            "obtmirror-cli: cannot clip: triangle 0 names a point the object "
            "lacks\nDreieck mit ungültiger Punktnummer\n");
  EXPECT_EQ(ReadFile(dir.File("t.obt")), "old target");

  // A pipe would be read by the cut and again by the run.
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  const ChildOutcome pipe =
      Cli(dir, {"convert", "pipe", "t.obt", "--to", "2", "--clip"});
  EXPECT_EQ(pipe.exit_status(), 1);
  EXPECT_NE(pipe.standard_error.find("is no regular file"), std::string::npos);
  EXPECT_EQ(ReadFile(dir.File("t.obt")), "old target");
}

}  // namespace
