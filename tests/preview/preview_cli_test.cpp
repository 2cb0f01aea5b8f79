// Runs the built obtmirror-cli on files in a temporary directory and checks
// its exit status, its output and the bitmap files it writes.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "preview_test_files.h"
#include "support/child.h"

namespace preview_test {
namespace {

constexpr char kLoadError[] = "Fehler beim Laden des OBT-Files aufgetreten!\n";

using Words = std::vector<std::string>;

class PreviewCliTest : public ::testing::Test {
 protected:
  // Runs "obtmirror-cli preview <arguments>" in the temporary directory.
  testing_support::ChildOutcome Preview(Words arguments) {
    arguments.insert(arguments.begin(), "preview");
    return testing_support::Child(OBTMIRROR_CLI_PATH, arguments,
                                  {.directory = dir_.path()})
        .Wait();
  }

  bool Exists(const std::string& name) const {
    return std::filesystem::exists(dir_.File(name));
  }

  TempDir dir_;
};

const std::string kFrontObject = ObtText(kFrontPoints, {{0, 1, 3}, {1, 2, 4}});

bool PbmIsBlack(const std::string& pbm, std::size_t header, int width,
                int column, int row) {
  const std::size_t per_row = (static_cast<std::size_t>(width) + 7) / 8;
  const auto byte = static_cast<unsigned char>(
      pbm[header + row * per_row + static_cast<std::size_t>(column) / 8]);
  return (byte & (0x80 >> (column % 8))) != 0;
}

TEST_F(PreviewCliTest, FrontViewPointsAndPbm) {
  WriteFile(dir_.File("front.obt"), kFrontObject);
  const testing_support::ChildOutcome outcome =
      Preview({"front.obt", "--view", "1", "--points", "--pbm", "out.pbm"});
  EXPECT_EQ(outcome.exit_status(), 0) << outcome.standard_error;
  EXPECT_EQ(outcome.standard_output, "0 176\n58 118\n172 4\n230 176\n115 61\n");
  EXPECT_EQ(outcome.standard_error, "");

  const std::string pbm = ReadFile(dir_.File("out.pbm"));
  const std::string header = "P4\n231 177\n";
  ASSERT_EQ(pbm.size(), header.size() + 29 * 177);
  EXPECT_EQ(pbm.substr(0, header.size()), header);
  for (const auto& [column, row] : std::vector<std::pair<int, int>>{
           {0, 176}, {58, 118}, {172, 4}, {230, 176}, {115, 61}}) {
    EXPECT_TRUE(PbmIsBlack(pbm, header.size(), 231, column, row))
        << column << "," << row;
  }
  EXPECT_FALSE(PbmIsBlack(pbm, header.size(), 231, 0, 0));
}

// An 8 x 4 box: the fit puts two corners one past the right edge and one
// on the row below the last; only the inner part of one line shows.
TEST_F(PreviewCliTest, SmallBoxExactly) {
  WriteFile(dir_.File("small.obt"),
            ObtText({{0, 0, 0}, {4, 0, 2}, {4, 0, 0}}, {{0, 1, 2}}));
  const testing_support::ChildOutcome outcome =
      Preview({"small.obt", "--view", "1", "--size", "8x4", "--pbm",
               "small.pbm", "--points"});
  EXPECT_EQ(outcome.exit_status(), 0) << outcome.standard_error;
  EXPECT_EQ(outcome.standard_output, "0 4\n8 0\n8 4\n");
  EXPECT_EQ(ReadFile(dir_.File("small.pbm")),
            std::string("P4\n8 4\n\x01\x06\x18\x60", 11));
}

TEST_F(PreviewCliTest, PngIsWritten) {
  WriteFile(dir_.File("front.obt"), kFrontObject);
  const testing_support::ChildOutcome outcome =
      Preview({"front.obt", "--size", "40x30", "--png", "out.png"});
  EXPECT_EQ(outcome.exit_status(), 0) << outcome.standard_error;
  const std::string png = ReadFile(dir_.File("out.png"));
  ASSERT_GE(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  // IHDR: width and height, big-endian.
  EXPECT_EQ(png.substr(16, 8), std::string("\0\0\0\x28\0\0\0\x1e", 8));
}

struct FailureCase {
  std::string name;
  std::string content;  // of bad.obt, if written
  std::string argument;
  int exit_status;
  // When set, bad.obt is a FIFO that sends the content and then this for
  // ever; a header judged by its first bytes is refused at once.
  std::string filler = {};
};

TEST_F(PreviewCliTest, FailedLoads) {
  std::string many = "QZ_OBT\r\n1.000000\r\n20002\r\n";
  const std::vector<FailureCase> cases = {
      {"empty path", "", "", 1},
      {"missing file", "", "missing.obt", 1},
      {"directory", "", dir_.path(), 1},
      {"not an OBT file", "QZ_OBT\r\n3.000000\r\n", "bad.obt", 2},
      {"too many points", many, "bad.obt", 3},
      {"endless zeros", "", "/dev/zero", 2},
      {"endless lines without CR", "", "bad.obt", 2, "y\n"},
      {"endless version line", "QZ_OBT\r\n", "bad.obt", 2, "y\n"},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(dir_.File("bad.obt"));
    std::optional<testing_support::EndlessFifo> endless;
    if (!c.filler.empty()) {
      endless.emplace(dir_.File("bad.obt"), c.content, c.filler);
    } else if (!c.content.empty()) {
      WriteFile(dir_.File("bad.obt"), c.content);
    }
    const testing_support::ChildOutcome outcome = Preview(
        {c.argument, "--points", "--pbm", "out.pbm", "--png", "out.png"});
    EXPECT_EQ(outcome.exit_status(), c.exit_status);
    EXPECT_EQ(outcome.standard_error, kLoadError);
    EXPECT_EQ(outcome.standard_output, "");
    EXPECT_FALSE(Exists("out.pbm"));
    EXPECT_FALSE(Exists("out.png"));
  }
}

TEST_F(PreviewCliTest, UsageErrors) {
  WriteFile(dir_.File("front.obt"), kFrontObject);
  const std::vector<Words> cases = {
      {"front.obt", "--view", "4"},    {"front.obt", "--view", "-1"},
      {"front.obt", "--view", "x"},    {"front.obt", "--view", ""},
      {"front.obt", "--size", "0x5"},  {"front.obt", "--size", "5x0"},
      {"front.obt", "--size", "abc"},  {"front.obt", "--size", "5x"},
      {"front.obt", "--size", "x5"},   {"front.obt", "--size", "5x5x5"},
      {"front.obt", "--size", "-5x5"}, {"front.obt", "--size", "40000x5"},
      {"front.obt", "--bogus"},        {},
      {"front.obt", "other.obt"},
  };
  for (Words arguments : cases) {
    SCOPED_TRACE(::testing::PrintToString(arguments));
    arguments.insert(arguments.end(), {"--pbm", "out.pbm"});
    const testing_support::ChildOutcome outcome = Preview(arguments);
    EXPECT_EQ(outcome.exit_status(), 64);
    EXPECT_NE(outcome.standard_error, "");
    EXPECT_FALSE(Exists("out.pbm"));
  }
}

TEST_F(PreviewCliTest, HelpAndUnwritableFile) {
  const testing_support::ChildOutcome help = Preview({"--help"});
  EXPECT_EQ(help.exit_status(), 0);
  EXPECT_NE(help.standard_output.find("--size"), std::string::npos);

  WriteFile(dir_.File("front.obt"), kFrontObject);
  const testing_support::ChildOutcome outcome =
      Preview({"front.obt", "--pbm", "no/such/dir.pbm"});
  EXPECT_EQ(outcome.exit_status(), 74);
  EXPECT_NE(outcome.standard_error.find("no/such/dir.pbm"), std::string::npos);
}

TEST_F(PreviewCliTest, ShadedPictureOrWhyNot) {
  WriteFile(dir_.File("front.obt"), kFrontObject);
  WriteFile(dir_.File("bad.obt"), "QZ_OBT\r\n3.000000\r\n");
  WriteFile(dir_.File("malformed.obt"), "QZ_OBT\r\n2.000000\r\n1\r\n1 x 2\r\n");
  struct Case {
    Words arguments;
    int exit_status;
  };
  const std::vector<Case> cases = {
      {{"front.obt", "--view", "30,-20.5"}, 0},
      {{"front.obt", "--view", "3"}, 0},
      {{"missing.obt"}, 1},
      {{"bad.obt"}, 2},
      {{"malformed.obt"}, 2},
      {{"front.obt", "--size", "5000x5000"}, 64},
      {{"front.obt", "--view", "30,91"}, 64},
      {{"front.obt", "--pbm", "out.pbm"}, 64},
      {{"front.obt", "--points"}, 64},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.arguments));
    std::filesystem::remove(dir_.File("out.png"));
    Words arguments = c.arguments;
    arguments.insert(arguments.end(),
                     {"--shaded", "--size", "40x30", "--png", "out.png"});
    const testing_support::ChildOutcome outcome = Preview(arguments);
    EXPECT_EQ(outcome.exit_status(), c.exit_status) << outcome.standard_error;
    if (c.exit_status != 0) {
      EXPECT_FALSE(Exists("out.png"));
      continue;
    }
    const std::string png = ReadFile(dir_.File("out.png"));
    ASSERT_GE(png.size(), 26u);
    // IHDR: 40 x 30, eight bits of red, green and blue.
    EXPECT_EQ(png.substr(16, 10),
              std::string("\0\0\0\x28\0\0\0\x1e\x08\x02", 10));
  }
  // Without --shaded the wireframe takes no turned view, and --shaded wants
  // a PNG to write.
  EXPECT_EQ(Preview({"front.obt", "--view", "30,20", "--png", "out.png"})
                .exit_status(),
            64);
  EXPECT_EQ(Preview({"front.obt", "--shaded"}).exit_status(), 64);
  EXPECT_EQ(Preview({"front.obt", "--shaded", "--png", "no/such/dir.png"})
                .exit_status(),
            74);
}

}  // namespace
}  // namespace preview_test
