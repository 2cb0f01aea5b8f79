// The peer that the benchmarks measure against must write the very bytes
// that the converter writes, or the comparison of their speeds means
// nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "grid_object.h"
#include "support/child.h"
#include "support/temp_dir.h"

namespace {

using testing_support::Child;
using testing_support::ChildOutcome;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

struct Case {
  std::string source;  // a file in the test's directory
  std::string from;
  std::string to;
  std::string x, y, z;
};

// The offset of the first byte in which the two differ, or -1.
long FirstDifference(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (a[i] != b[i]) return static_cast<long>(i);
  }
  return a.size() == b.size() ? -1 : static_cast<long>(common);
}

// A version 1 file of the same object: other version line, no final "0".
std::string AsVersion1(std::string text) {
  text.replace(text.find("2.000000"), 8, "1.000000");
  text.resize(text.size() - 3);
  return text;
}

TEST(PeerIdentityTest, PeerWritesTheConvertersBytes) {
  TempDir dir;
  const std::string vase = ReadFile(OBTMIRROR_SAMPLES_DIR "/quarter-vase.obt");
  WriteFile(dir.File("vase.obt"), vase);
  WriteFile(dir.File("box.obt"),
            ReadFile(OBTMIRROR_SAMPLES_DIR "/box-corner.obt"));
  WriteFile(dir.File("vase1.obt"), AsVersion1(vase));
  ASSERT_TRUE(obtgen::WriteGridObject(dir.File("grid.obt"), 2000, 2200));
  // Large enough that both threads format and write many blocks each.
  ASSERT_TRUE(obtgen::WriteGridObject(dir.File("big.obt"), 40000, 80000));

  const std::vector<Case> cases = {
      {"vase.obt", "1", "all", "0", "0", "0"},
      {"box.obt", "1", "2,4,8,16,32,64,128", "0", "0", "0"},
      {"box.obt", "64", "1", "-5", "12", "300"},
      {"vase1.obt", "1", "2,4", "10", "0", "-7"},
      {"vase1.obt", "8", "none", "0", "0", "0"},
      {"grid.obt", "1", "all", "0", "0", "0"},
      {"grid.obt", "2", "1,8,32,128", "-4000", "250", "17"},
      // Mirrored coordinates beyond 32 bits wrap around in both.
      {"grid.obt", "128", "4,16", "2000000000", "-2000000000", "1"},
      {"grid.obt", "128", "1,2,4,8,16", "2000000000", "-2000000000", "1"},
      {"big.obt", "1", "all", "-3", "70", "0"},
  };
  for (const Case& c : cases) {
    const std::string label = c.source + " --from " + c.from + " --to " + c.to +
                              " -x " + c.x + " -y " + c.y + " -z " + c.z;
    SCOPED_TRACE(label);
    const std::vector<std::string> settings = {
        "--from", c.from, "--to", c.to, "-x", c.x, "-y", c.y, "-z", c.z};
    std::vector<std::string> convert = {"convert", c.source, "cli.obt",
                                        "--quiet"};
    convert.insert(convert.end(), settings.begin(), settings.end());
    std::vector<std::string> peer = {c.source, "peer.obt"};
    peer.insert(peer.end(), settings.begin(), settings.end());

    for (const auto& [program, arguments] :
         {std::pair{OBTMIRROR_CLI_PATH, convert},
          std::pair{OBTMIRROR_PEER_PATH, peer}}) {
      const ChildOutcome run =
          Child(program, arguments, {.directory = dir.path()}).Wait();
      ASSERT_EQ(run.exit_status(), 0) << program << ": " << run.standard_error;
    }

    const std::string expected = ReadFile(dir.File("cli.obt"));
    const std::string actual = ReadFile(dir.File("peer.obt"));
    EXPECT_EQ(FirstDifference(expected, actual), -1)
        << "sizes " << expected.size() << " and " << actual.size();
  }
}

}  // namespace
