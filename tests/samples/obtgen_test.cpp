// The generator's promises: the samples close into one outward-facing
// object when mirrored into all eight octants, the committed sample files
// are what obtgen writes today, and every file keeps the writing rules.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "grid_object.h"
#include "shapes.h"
#include "support/temp_dir.h"

namespace obtgen {
namespace {

// Lines of a file that keeps the writing rules: every line ends in CR LF,
// and holds no blank at its start or end and no two blanks in a row.
std::vector<std::string> StrictLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "unterminated last line";
    if (end == std::string::npos) break;
    std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    EXPECT_EQ(line.find("  "), std::string::npos) << line;
    EXPECT_FALSE(line.empty() || line.front() == ' ' || line.back() == ' ');
    lines.push_back(std::move(line));
    start = end + 2;
  }
  return lines;
}

// A file name of its own in a fresh directory.
class TempFile {
 public:
  const std::string path() const { return dir_.File("object.obt"); }

 private:
  testing_support::TempDir dir_;
};

// Six times the signed volume of the tetrahedron between the triangle and
// the origin.
double SixVolume(const Point (&c)[3]) {
  double d[3][3];
  for (int k = 0; k < 3; ++k) {
    for (int axis = 0; axis < 3; ++axis) d[k][axis] = c[k][axis];
  }
  return d[0][0] * (d[1][1] * d[2][2] - d[1][2] * d[2][1]) -
         d[0][1] * (d[1][0] * d[2][2] - d[1][2] * d[2][0]) +
         d[0][2] * (d[1][0] * d[2][1] - d[1][1] * d[2][0]);
}

struct Sample {
  const char* name;
  const char* file;  // the committed sample; nullptr for none
  Mesh (*make)();
  double volume;  // of the whole mirrored object; 0 when not known exactly
};

void PrintTo(const Sample& sample, std::ostream* out) { *out << sample.name; }

class SampleTest : public testing::TestWithParam<Sample> {};

TEST_P(SampleTest, MirroredIntoAllOctantsClosesOutward) {
  const Mesh mesh = GetParam().make();
  for (const Point& p : mesh.points()) {
    EXPECT_TRUE(p[0] <= 0 && p[1] <= 0 && p[2] <= 0);
  }
  // Each directed edge, by the places of its ends, must occur exactly once
  // and be met by its reverse exactly once: then the surface is closed and
  // all its triangles turn the same way.
  std::map<std::pair<Point, Point>, int> edges;
  double six_volumes = 0;
  for (int octant = 0; octant < 8; ++octant) {
    const int sign[3] = {octant & 1 ? -1 : 1, octant & 2 ? -1 : 1,
                         octant & 4 ? -1 : 1};
    const bool flip = sign[0] * sign[1] * sign[2] < 0;
    for (const Triangle& t : mesh.triangles()) {
      Point c[3];
      for (int k = 0; k < 3; ++k) {
        const Point& p = mesh.points()[t.corners[k]];
        c[k] = {sign[0] * p[0], sign[1] * p[1], sign[2] * p[2]};
      }
      if (flip) std::swap(c[0], c[1]);
      for (int k = 0; k < 3; ++k) ++edges[{c[k], c[(k + 1) % 3]}];
      six_volumes += SixVolume(c);
    }
  }
  for (const auto& [edge, count] : edges) {
    ASSERT_EQ(count, 1);
    ASSERT_EQ(edges.count({edge.second, edge.first}), 1u);
  }
  // Counter-clockwise seen from outside gives a positive volume.
  EXPECT_GT(six_volumes, 0);
  if (GetParam().volume > 0) {
    EXPECT_EQ(six_volumes / 6, GetParam().volume);
  }
}

TEST_P(SampleTest, CommittedFileIsWhatObtgenWrites) {
  if (GetParam().file == nullptr) return;
  const TempFile written;
  ASSERT_TRUE(GetParam().make().WriteObt(written.path()));
  const std::string text = testing_support::ReadFile(written.path());
  StrictLines(text);
  EXPECT_EQ(text, testing_support::ReadFile(std::string(OBTGEN_SAMPLES_DIR) +
                                            "/" + GetParam().file))
      << "regenerate the sample with the command in samples/README.md";
}

INSTANTIATE_TEST_SUITE_P(
    Samples, SampleTest,
    testing::Values(Sample{"BoxCorner", "box-corner.obt", BoxCorner,
                           800.0 * 600 * 400},
                    Sample{"QuarterVase", "quarter-vase.obt", QuarterVase, 0},
                    Sample{"SphereOctant", nullptr,
                           [] { return SphereOctant(12, 100000); }, 0}),
    [](const testing::TestParamInfo<Sample>& info) { return info.param.name; });

TEST(GridObjectTest, KeepsTheWritingRulesAndValidPointNumbers) {
  struct Case {
    int32_t points;
    int32_t triangles;
  };
  for (const Case c :
       {Case{0, 0}, Case{1, 3}, Case{150, 600}, Case{20000, 700}}) {
    SCOPED_TRACE(testing::Message() << c.points << " points");
    const TempFile file;
    ASSERT_TRUE(WriteGridObject(file.path(), c.points, c.triangles));
    const std::vector<std::string> lines =
        StrictLines(testing_support::ReadFile(file.path()));
    ASSERT_EQ(lines.size(), 5u + c.points + c.triangles);
    EXPECT_EQ(lines[0], "QZ_OBT");
    EXPECT_EQ(lines[1], "2.000000");
    EXPECT_EQ(lines[2], std::to_string(c.points));
    EXPECT_EQ(lines[3 + c.points], std::to_string(c.triangles));
    EXPECT_EQ(lines.back(), "0");
    for (int32_t i = 0; i < c.points; ++i) {
      std::istringstream in(lines[3 + i]);
      int64_t x, y, z;
      ASSERT_TRUE(in >> x >> y >> z);
      EXPECT_TRUE(x <= 0 && y <= 0 && z <= 0) << lines[3 + i];
    }
    std::vector<bool> fourth_seen(256);
    for (int32_t t = 0; t < c.triangles; ++t) {
      std::istringstream in(lines[4 + c.points + t]);
      int64_t a, b, d, fourth;
      ASSERT_TRUE(in >> a >> b >> d >> fourth);
      for (const int64_t number : {a, b, d}) {
        ASSERT_TRUE(number >= 0 && number < c.points) << number;
      }
      ASSERT_TRUE(fourth >= 0 && fourth <= 255);
      fourth_seen[fourth] = true;
    }
    if (c.triangles >= 256) {
      EXPECT_EQ(std::count(fourth_seen.begin(), fourth_seen.end(), true), 256);
    }
  }
}

}  // namespace
}  // namespace obtgen
