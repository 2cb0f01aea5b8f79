// End-to-end runs of "obtmirror-cli convert": what a script sees.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/child.h"
#include "support/obt_text.h"
#include "support/temp_dir.h"

namespace {

using testing_support::Child;
using testing_support::ChildOutcome;
using testing_support::EndlessFifo;
using testing_support::ObtText;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

const std::string kTriangle =
    ObtText(2, {"0 0 0", "10 0 0", "0 10 5"}, {"0 1 2 7"});
constexpr char kSucceeded[] = "Berechnung der 3D-Daten erfolgreich beendet\n";

class ConvertCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(dir_.File("a.obt"), kTriangle); }

  ChildOutcome Cli(const std::vector<std::string>& arguments) {
    return Child(OBTMIRROR_CLI_PATH, arguments, {.directory = dir_.path()})
        .Wait();
  }

  TempDir dir_;
};

TEST_F(ConvertCommandTest, MirrorsRelativePathsIntoTheChosenOctants) {
  const ChildOutcome run = Cli({"convert", "a.obt", "b.obt", "--to", "2,4"});
  EXPECT_EQ(run.exit_status(), 0);
  EXPECT_EQ(run.standard_output, kSucceeded);
  EXPECT_EQ(run.standard_error, "");  // no progress bar off a terminal
  EXPECT_EQ(ReadFile(dir_.File("b.obt")),
            ObtText(2,
                    {"0 0 0", "10 0 0", "0 10 5", "0 0 0", "-10 0 0", "0 10 5",
                     "0 0 0", "-10 0 0", "0 -10 5"},
                    {"0 1 2 7", "4 3 5 7", "6 7 8 7"}));
}

TEST_F(ConvertCommandTest, TakesCentreTextsAsTheWindowDoes) {
  // "-x -5" must be a value, not an option; "1 0,5" filters to 105.
  const ChildOutcome run =
      Cli({"convert", "a.obt", "b.obt", "-x", "-5", "-y", "1 0,5",
           "--centre-z=+1", "--from", "2", "--to", "1"});
  ASSERT_EQ(run.exit_status(), 0) << run.standard_error;
  EXPECT_EQ(run.standard_error,
            "obtmirror-cli: warning: centre y \"1 0,5\" taken as 105\n");
  // Copy 1 mirrors x only: x' = 2·(-5) - x.
  EXPECT_EQ(
      ReadFile(dir_.File("b.obt")),
      ObtText(2,
              {"0 0 0", "10 0 0", "0 10 5", "-10 0 0", "-20 0 0", "-10 10 5"},
              {"0 1 2 7", "4 3 5 7"}));
}

struct OutcomeCase {
  const char* name;
  std::string source_bytes;  // of s.obt
  int exit_status;
  std::string standard_error;
  // When set, s.obt is a FIFO that sends the bytes and then this for ever.
  std::string filler = {};
  std::string source = "s.obt";
  std::string target = "t.obt";
  std::string centre_z = "0";
};

TEST_F(ConvertCommandTest, ReportsEachOutcomeWithItsExitStatus) {
  const std::string not_obt = "Kein gültiger OBT-File\n";
  const std::string name_error = "Fehler in Dateinamen aufgetreten\n";
  const std::string no_file = "No such file or directory\n";
  // Messages name a file by its full path: "obtmirror-cli: DIR/NAME: ...".
  const std::string in_dir =
      "obtmirror-cli: " + std::filesystem::canonical(dir_.path()).string();
  const std::vector<OutcomeCase> cases = {
      {"not an OBT file", "QZ_OBT \r\n2.000000\r\n0\r\n0\r\n", 1, not_obt},
      {"missing source", "", 1,
       in_dir + "/nowhere.obt: " + no_file + name_error, "", "nowhere.obt"},
      {"empty source", "", 1,
       "obtmirror-cli: no source file given\n" + name_error, "", ""},
      {"target in a missing directory", kTriangle, 1,
       in_dir + "/no/such/t.obt: " + no_file + name_error, "", "s.obt",
       "no/such/t.obt"},
      {"source as target", kTriangle, 1,
       in_dir + "/./s.obt: source and target are the same file\n" + name_error,
       "", "s.obt", "./s.obt"},
      {"centre out of range", kTriangle, 1, "Ungültiger Spiegel-Mittelpunkt\n",
       "", "s.obt", "t.obt", "2147483648"},
      {"object too large", "QZ_OBT\r\n1.000000\r\n2000000000\r\n", 1,
       "Objekt zu groß für die Berechnung\n"},
      {"comma in a point line", ObtText(1, {"1,2,3"}), 2,
       "Ungültige numerische Eingabe.\n"},
      {"full device", kTriangle, 2,
       "Kapazität der Diskette/Festplatte erschöpft.\n", "", "s.obt",
       "/dev/full"},
      // A header line that has grown past its literal can no longer match:
      // endless input is refused there, not read for ever.
      {"endless zeros", "", 1, not_obt, "", "/dev/zero"},
      {"endless lines without CR", "", 1, not_obt, "y\n"},
      {"endless magic line", "QZ_OBT", 1, not_obt, "T"},
      {"endless version line", "QZ_OBT\r\n2.000000", 1, not_obt, "0"},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir_.File("s.obt"));
    std::optional<EndlessFifo> endless;
    if (c.filler.empty()) {
      WriteFile(dir_.File("s.obt"), c.source_bytes);
    } else {
      endless.emplace(dir_.File("s.obt"), c.source_bytes, c.filler);
    }
    WriteFile(dir_.File("t.obt"), "old target");
    const ChildOutcome run =
        Cli({"convert", c.source, c.target, "-z", c.centre_z});
    EXPECT_EQ(run.exit_status(), c.exit_status);
    EXPECT_EQ(run.standard_output, "");
    EXPECT_EQ(run.standard_error, c.standard_error);
    EXPECT_EQ(ReadFile(dir_.File("t.obt")), "old target");
  }
}

TEST_F(ConvertCommandTest, RefusesWrongArgumentsWithUsage) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"convert"},
      {"convert", "a.obt"},
      {"convert", "a.obt", "b.obt", "--from", "3"},
      {"convert", "a.obt", "b.obt", "--from", "1,2"},
      {"convert", "a.obt", "b.obt", "--to", "2,5"},
      {"convert", "a.obt", "b.obt", "--to", ""},
      {"convert", "a.obt", "b.obt", "--colour"},
      {"convert", "a.obt", "b.obt", "extra"},
      {"mirror", "a.obt", "b.obt"},
  };
  for (const std::vector<std::string>& arguments : cases) {
    const ChildOutcome run = Cli(arguments);
    EXPECT_EQ(run.exit_status(), 64) << ::testing::PrintToString(arguments);
    EXPECT_NE(run.standard_error.find("Usage"), std::string::npos);
    EXPECT_EQ(run.standard_output, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("b.obt")));
}

TEST_F(ConvertCommandTest, HelpExitsZero) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"convert", "--help"}}) {
    const ChildOutcome run = Cli(arguments);
    EXPECT_EQ(run.exit_status(), 0);
    EXPECT_NE(run.standard_output.find("Usage"), std::string::npos);
  }
}

}  // namespace
