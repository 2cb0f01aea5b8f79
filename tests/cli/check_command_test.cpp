// End-to-end runs of "obtmirror-cli check": what a script sees.

#include <gtest/gtest.h>

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
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
using testing_support::TempDir;
using testing_support::WriteFile;

// One triangle whose edges lie in the three planes through 0: mirrored into
// the seven other octants, an octahedron.
const std::string kEighth =
    ObtText(2, {"-10 0 0", "0 -10 0", "0 0 -10"}, {"0 2 1 1"});
const std::string kSeven = "2,4,8,16,32,64,128";

class CheckCommandTest : public ::testing::Test {
 protected:
  ChildOutcome Cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "check");
    return Child(OBTMIRROR_CLI_PATH, arguments, {.directory = dir_.path()})
        .Wait();
  }

  TempDir dir_;
};

struct OutcomeCase {
  const char* name;
  std::string file;  // s.obt
  std::vector<std::string> arguments;
  int exit_status;
  // The report's last lines; empty when there must be no report.
  std::string summary;
  std::string standard_error;
};

TEST_F(CheckCommandTest, ReportsEachOutcomeWithItsExitStatus) {
  const std::string in_dir =
      "obtmirror-cli: " + std::filesystem::canonical(dir_.path()).string();
  const std::string name_error = "Fehler in Dateinamen aufgetreten\n";
  // Nine parts of 7,456,541 entries exceed the run's 67,108,864.
  const auto too_large = [&in_dir](const std::string& line, const char* what) {
    return in_dir + "/s.obt:" + line + ": 7456541 " + what +
           " in 9 parts are more than the 67108864 a run holds\n"
           "Objekt zu groß für die Berechnung\n";
  };
  const std::string malformed =
      "malformed number\nUngültige numerische Eingabe.\n";
  const std::vector<OutcomeCase> cases = {
      {"closed",
       kEighth,
       {"s.obt", "--to", kSeven},
       0,
       "nothing spoils the result; 5 are information\n",
       ""},
      {"holes",
       kEighth,
       {"s.obt"},
       1,
       "2 findings spoil the result; 2 are information\n",
       ""},
      // Two equal tetrahedra, the second inside out.
      {"one part inside out",
       ObtText(2,
               {"0 0 0", "10 0 0", "0 10 0", "0 0 10", "20 0 0", "30 0 0",
                "20 10 0", "20 0 10"},
               {"0 2 1 0", "0 1 3 0", "1 2 3 0", "0 3 2 0", "4 5 6 0",
                "4 7 5 0", "5 7 6 0", "4 6 7 0"}),
       {"s.obt", "--to", "none"},
       1,
       "17: part 2 of 2, which starts with triangle 4, is closed, but its "
       "signed volume is negative: it is inside out\n"
       "the result is closed, but its signed volume is zero: it encloses "
       "nothing\n"
       "2 findings spoil the result; 1 is information\n",
       ""},
      {"missing",
       "",
       {"nowhere.obt"},
       1,
       "",
       in_dir + "/nowhere.obt: No such file or directory\n" + name_error},
      {"empty name",
       "",
       {""},
       1,
       "",
       "obtmirror-cli: no source file given\n" + name_error},
      {"not OBT",
       "QZ_OBT \r\n2.000000\r\n",
       {"s.obt"},
       1,
       "",
       "Kein gültiger OBT-File\n"},
      {"centre out of range",
       kEighth,
       {"s.obt", "-x", "2147483648"},
       1,
       "",
       "Ungültiger Spiegel-Mittelpunkt\n"},
      // Refused before a point is read, malformed or not.
      {"too many points",
       CrLf({"QZ_OBT", "1.000000", "7456541", "1,2"}),
       {"s.obt", "--to", "all"},
       1,
       "",
       too_large("3", "points")},
      {"malformed point before too many triangles",
       CrLf({"QZ_OBT", "1.000000", "1", "1,2 3", "7456541"}),
       {"s.obt", "--to", "all"},
       2,
       "",
       in_dir + "/s.obt:4: " + malformed},
      {"too many triangles",
       CrLf({"QZ_OBT", "1.000000", "0", "7456541"}),
       {"s.obt", "--to", "all"},
       1,
       "",
       too_large("4", "triangles")},
      {"malformed triangle",
       ObtText(1, {}, {"0 1 x 2"}),
       {"s.obt"},
       2,
       "",
       in_dir + "/s.obt:5: " + malformed},
      {"no octant code", kEighth, {"s.obt", "--from", "3"}, 64, "", ""},
      {"no source", kEighth, {}, 64, "", ""},
  };
  for (const OutcomeCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(dir_.File("s.obt"), c.file);
    const ChildOutcome run = Cli(c.arguments);
    EXPECT_EQ(run.exit_status(), c.exit_status);
    if (c.exit_status == 64) {
      EXPECT_NE(run.standard_error.find("Usage"), std::string::npos);
      continue;
    }
    EXPECT_EQ(run.standard_error, c.standard_error);
    const std::string& out = run.standard_output;
    ASSERT_GE(out.size(), c.summary.size());
    EXPECT_EQ(out.substr(out.size() - c.summary.size()), c.summary);
    EXPECT_EQ(out.empty(), c.summary.empty());
  }
}

TEST_F(CheckCommandTest, PrintsTheSameAsOneJsonDocument) {
  WriteFile(dir_.File("s.obt"), kEighth);
  const ChildOutcome run = Cli({"s.obt", "--json", "-x", "1 0"});
  ASSERT_EQ(run.exit_status(), 1);
  QJsonParseError error;
  const QJsonObject report =
      QJsonDocument::fromJson(QByteArray::fromStdString(run.standard_output),
                              &error)
          .object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << run.standard_output;
  EXPECT_EQ(report["source"].toString().toStdString(),
            std::filesystem::canonical(dir_.File("s.obt")).string());
  EXPECT_EQ(report["spoiling"].toInt(), 3);
  EXPECT_EQ(report["information"].toInt(), 1);
  const QJsonArray kinds = report["findings"].toArray();
  ASSERT_EQ(kinds.size(), 2);
  const QJsonObject centre = kinds[0].toObject();
  EXPECT_EQ(centre["kind"].toString(), "centre");
  EXPECT_EQ(centre["spoils"].toBool(), false);
  EXPECT_TRUE(centre["shown"][0]["line"].isNull());
  EXPECT_EQ(centre["shown"][0]["text"].toString(),
            "mirror centre 10 0 0 (x \"1 0\" taken as 10)");
  const QJsonObject holes = kinds[1].toObject();
  EXPECT_EQ(holes["kind"].toString(), "open-edge");
  EXPECT_EQ(holes["count"].toInt(), 3);
  EXPECT_EQ(holes["shown"][0]["line"].toInt(), 8);
  EXPECT_EQ(report["summary"].toString(),
            "3 findings spoil the result; 1 is information");
}

// The picture of the run's result: the octahedron that the seven copies
// close is grey all over; moved off the centre its copies stand apart and
// each shows the open edges; a run that is refused draws nothing, and a
// picture that cannot be written is exit 74 after the report.
TEST_F(CheckCommandTest, DrawsTheResultWithItsFindings) {
  WriteFile(dir_.File("s.obt"), kEighth);
  WriteFile(dir_.File("m.obt"), ObtText(2, {"1 x 2"}));
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    int exit_status;
    bool open_edges;  // the picture shows the open-edge colour
  };
  const Case cases[] = {
      {"closed", {"s.obt", "--to", kSeven}, 0, false},
      {"turned", {"s.obt", "--to", kSeven, "--view", "30,20"}, 0, false},
      {"open", {"s.obt", "--to", kSeven, "-x", "1 0"}, 1, true},
      {"refused", {"m.obt"}, 2, false},
      {"unwritable", {"s.obt", "--png", "no/such/dir.png"}, 74, false},
      {"size without a picture", {"s.obt", "--size", "80x60"}, 64, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir_.File("p.png"));
    std::vector<std::string> arguments = c.arguments;
    if (c.exit_status != 64 && c.exit_status != 74) {
      arguments.insert(arguments.end(),
                       {"--png", "p.png", "--size", "200x150"});
    }
    const ChildOutcome run = Cli(arguments);
    EXPECT_EQ(run.exit_status(), c.exit_status) << run.standard_error;
    const QImage image(QString::fromStdString(dir_.File("p.png")));
    if (c.exit_status != 0 && c.exit_status != 1) {
      EXPECT_TRUE(image.isNull());
      continue;
    }
    ASSERT_EQ(image.size(), QSize(200, 150));
    int coloured = 0;
    int open = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor colour = image.pixelColor(x, y);
        coloured +=
            colour.red() != colour.green() || colour.green() != colour.blue();
        open += colour == QColor(213, 94, 0);
      }
    }
    EXPECT_EQ(open > 0, c.open_edges);
    if (!c.open_edges) {
      EXPECT_EQ(coloured, 0);
    }
  }
  const ChildOutcome unwritable = Cli({"s.obt", "--png", "no/such/dir.png"});
  EXPECT_NE(unwritable.standard_output.find("open edge"), std::string::npos);
  EXPECT_NE(unwritable.standard_error.find("cannot write no/such/dir.png"),
            std::string::npos);
}

}  // namespace
