// End-to-end runs of "obtmirror-cli convert --weld": what a script sees.

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

struct WeldCase {
  const char* name;
  std::string source;
  std::string to;
  int exit_status;
  std::string standard_output;
  std::string standard_error;
  std::string target;  // what t.obt holds afterwards
};

TEST(ConvertWeldTest, WritesOneMeshOrRefusesWithTheReason) {
  const std::string old_target = "old target";
  const std::string refused = "Dreieck mit ungültiger Punktnummer\n";
  const std::vector<WeldCase> cases = {
      // Mirrored on z, the face in the plane z = 0 meets its mirror image
      // turned back: both go, and its points are written once.
      {"face in a mirror plane",
       ObtText(2, {"-9 0 0", "0 -9 0", "-9 -9 0"}, {"0 1 2 4"}), "16", 0,
       "welded: 3 points merged, 2 triangles dropped\n"
       "Berechnung der 3D-Daten erfolgreich beendet\n",
       "", ObtText(2, {"-9 0 0", "0 -9 0", "-9 -9 0"})},
      // Numbered from 0, on the line that holds it, as check tells it.
      {"point number out of range",
       CrLf({"QZ_OBT", "1.000000", "3", "0 0 0", "-1 0 0", "0 -1 0", "2",
             "0 1 2 0", "", "0 1 3 0"}),
       "2", 1, "",
       "obtmirror-cli: cannot weld: line 10: triangle 1 names point 3, but "
       "the object has points 0 to 2 only\n" +
           refused,
       old_target},
      {"no points", ObtText(1, {}, {"0 0 0 0"}), "2", 1, "",
       "obtmirror-cli: cannot weld: line 5: triangle 0 names point 0, but "
       "the object has no points\n" +
           refused,
       old_target},
  };
  for (const WeldCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TempDir dir;
    WriteFile(dir.File("s.obt"), c.source);
    WriteFile(dir.File("t.obt"), old_target);
    const ChildOutcome run =
        Child(OBTMIRROR_CLI_PATH,
              {"convert", "s.obt", "t.obt", "--to", c.to, "--weld"},
              {.directory = dir.path()})
            .Wait();
    EXPECT_EQ(run.exit_status(), c.exit_status);
    EXPECT_EQ(run.standard_output, c.standard_output);
    EXPECT_EQ(run.standard_error, c.standard_error);
    EXPECT_EQ(ReadFile(dir.File("t.obt")), c.target);
  }
}

}  // namespace
