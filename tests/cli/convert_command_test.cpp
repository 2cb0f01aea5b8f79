// End-to-end runs of "obtmirror-cli convert": what a script sees.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/run_process.h"
#include "support/temp_dir.h"

namespace {

using testing_support::EndlessFifo;
using testing_support::ProcessResult;
using testing_support::ReadFile;
using testing_support::RunProcess;
using testing_support::TempDir;
using testing_support::WriteFile;

constexpr char kTriangle[] =
    "QZ_OBT\r\n2.000000\r\n3\r\n0 0 0\r\n10 0 0\r\n0 10 5\r\n1\r\n"
    "0 1 2 7\r\n0\r\n";
constexpr char kSucceeded[] = "Berechnung der 3D-Daten erfolgreich beendet\n";

class ConvertCommandTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteFile(dir_.File("a.obt"), kTriangle); }

  ProcessResult Cli(const std::vector<std::string>& arguments) {
    return RunProcess(OBTMIRROR_CLI_PATH, arguments, dir_.path());
  }

  TempDir dir_;
};

TEST_F(ConvertCommandTest, MirrorsRelativePathsIntoTheChosenOctants) {
  const ProcessResult run = Cli({"convert", "a.obt", "b.obt", "--to", "2,4"});
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.standard_output, kSucceeded);
  EXPECT_EQ(run.standard_error, "");  // no progress bar off a terminal
  EXPECT_EQ(ReadFile(dir_.File("b.obt")),
            "QZ_OBT\r\n2.000000\r\n9\r\n"
            "0 0 0\r\n10 0 0\r\n0 10 5\r\n"
            "0 0 0\r\n-10 0 0\r\n0 10 5\r\n"
            "0 0 0\r\n-10 0 0\r\n0 -10 5\r\n"
            "3\r\n0 1 2 7\r\n4 3 5 7\r\n6 7 8 7\r\n0\r\n");
}

TEST_F(ConvertCommandTest, TakesCentreTextsAsTheWindowDoes) {
  // "-x -5" must be a value, not an option; "1 0,5" filters to 105.
  const ProcessResult run =
      Cli({"convert", "a.obt", "b.obt", "-x", "-5", "-y", "1 0,5",
           "--centre-z=+1", "--from", "2", "--to", "1"});
  ASSERT_EQ(run.exit_status, 0) << run.standard_error;
  EXPECT_EQ(run.standard_error,
            "obtmirror-cli: warning: centre y \"1 0,5\" taken as 105\n");
  // Copy 1 mirrors x only: x' = 2·(-5) - x.
  EXPECT_EQ(ReadFile(dir_.File("b.obt")),
            "QZ_OBT\r\n2.000000\r\n6\r\n"
            "0 0 0\r\n10 0 0\r\n0 10 5\r\n"
            "-10 0 0\r\n-20 0 0\r\n-10 10 5\r\n"
            "2\r\n0 1 2 7\r\n4 3 5 7\r\n0\r\n");
}

struct OutcomeCase {
  const char* name;
  std::string source_bytes;
  std::vector<std::string> arguments;
  int exit_status;
  std::string standard_error;  // "{dir}" stands for the test directory
  // When set, s.obt is a FIFO that sends the bytes and then this for ever.
  std::string filler = {};
};

TEST_F(ConvertCommandTest, ReportsEachOutcomeWithItsExitStatus) {
  const std::vector<OutcomeCase> cases = {
      {"not an OBT file",
       "QZ_OBT \r\n2.000000\r\n0\r\n0\r\n",
       {"convert", "s.obt", "t.obt"},
       1,
       "Kein gültiger OBT-File\n"},
      {"missing source",
       "",
       {"convert", "nowhere.obt", "t.obt"},
       1,
       "obtmirror-cli: {dir}/nowhere.obt: No such file or directory\n"
       "Fehler in Dateinamen aufgetreten\n"},
      {"empty source",
       "",
       {"convert", "", "t.obt"},
       1,
       "obtmirror-cli: no source file given\n"
       "Fehler in Dateinamen aufgetreten\n"},
      {"target in a missing directory",
       kTriangle,
       {"convert", "s.obt", "no/such/t.obt"},
       1,
       "obtmirror-cli: {dir}/no/such/t.obt: No such file or directory\n"
       "Fehler in Dateinamen aufgetreten\n"},
      {"source as target",
       kTriangle,
       {"convert", "s.obt", "./s.obt"},
       1,
       "obtmirror-cli: {dir}/./s.obt: source and target are the same file\n"
       "Fehler in Dateinamen aufgetreten\n"},
      {"centre out of range",
       kTriangle,
       {"convert", "s.obt", "t.obt", "-z", "2147483648"},
       1,
       "Ungültiger Spiegel-Mittelpunkt\n"},
      {"object too large",
       "QZ_OBT\r\n1.000000\r\n2000000000\r\n",
       {"convert", "s.obt", "t.obt"},
       1,
       "Objekt zu groß für die Berechnung\n"},
      {"comma in a point line",
       "QZ_OBT\r\n1.000000\r\n1\r\n1,2,3\r\n0\r\n",
       {"convert", "s.obt", "t.obt"},
       2,
       "Ungültige numerische Eingabe.\n"},
      {"full device",
       kTriangle,
       {"convert", "s.obt", "/dev/full"},
       2,
       "Kapazität der Diskette/Festplatte erschöpft.\n"},
      // A header line that has grown past its literal can no longer match:
      // endless input is refused there, not read for ever.
      {"endless zeros",
       "",
       {"convert", "/dev/zero", "t.obt"},
       1,
       "Kein gültiger OBT-File\n"},
      {"endless lines without CR",
       "",
       {"convert", "s.obt", "t.obt"},
       1,
       "Kein gültiger OBT-File\n",
       "y\n"},
      {"endless magic line",
       "QZ_OBT",
       {"convert", "s.obt", "t.obt"},
       1,
       "Kein gültiger OBT-File\n",
       "T"},
      {"endless version line",
       "QZ_OBT\r\n2.000000",
       {"convert", "s.obt", "t.obt"},
       1,
       "Kein gültiger OBT-File\n",
       "0"},
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
    const ProcessResult run = Cli(c.arguments);
    ASSERT_FALSE(run.timed_out);
    std::string standard_error = c.standard_error;
    if (const std::size_t at = standard_error.find("{dir}");
        at != std::string::npos) {
      standard_error.replace(at, 5,
                             std::filesystem::canonical(dir_.path()).string());
    }
    EXPECT_EQ(run.exit_status, c.exit_status);
    EXPECT_EQ(run.standard_output, "");
    EXPECT_EQ(run.standard_error, standard_error);
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
    const ProcessResult run = Cli(arguments);
    EXPECT_EQ(run.exit_status, 64) << ::testing::PrintToString(arguments);
    EXPECT_NE(run.standard_error.find("Usage"), std::string::npos);
    EXPECT_EQ(run.standard_output, "");
  }
  EXPECT_FALSE(std::filesystem::exists(dir_.File("b.obt")));
}

TEST_F(ConvertCommandTest, HelpExitsZero) {
  for (const std::vector<std::string>& arguments :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"convert", "--help"}}) {
    const ProcessResult run = Cli(arguments);
    EXPECT_EQ(run.exit_status, 0);
    EXPECT_NE(run.standard_output.find("Usage"), std::string::npos);
  }
}

}  // namespace
