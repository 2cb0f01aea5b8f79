#include "geometry/object_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/obt_text.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

namespace {

using geometry::Finding;
using geometry::FindingKind;
using geometry::FindingList;
using testing_support::CrLf;
using testing_support::ObtLine;
using testing_support::ObtText;

struct Run {
  mirror::MirrorCentre centre;
  mirror::OctantCode from = 1;
  uint8_t to = 2;
};

FindingList CheckObject(const obt::ObtObject& object, const Run& run) {
  return geometry::CheckObject(
      object, {run.centre, run.from, mirror::BuildCopyPlan(run.from, run.to)});
}

obt::ObtObject Read(const std::string& path) {
  obt::ObtObject object;
  work::NullFeedback feedback;
  if (obt::ReadObtFile(path, object, feedback).status !=
      obt::ObtReadOutcome::Status::kRead) {
    throw std::runtime_error("cannot read " + path);
  }
  return object;
}

FindingList CheckFile(const std::string& file, const Run& run) {
  const testing_support::TempDir dir;
  testing_support::WriteFile(dir.File("object.obt"), file);
  return CheckObject(Read(dir.File("object.obt")), run);
}

// One triangle whose edges lie in the three planes through 0, and one with
// an edge along the z axis.
const std::string kEighth =
    ObtText(2, {"-10 0 0", "0 -10 0", "0 0 -10"}, {"0 2 1 1"});
const std::string kOnAxis =
    ObtText(2, {"0 0 0", "0 0 -10", "-5 -5 -5"}, {"0 1 2 1"});
const std::string kTetrahedron =
    ObtText(2, {"0 0 0", "10 0 0", "0 10 0", "0 0 10"},
            {"0 2 1 0", "0 1 3 0", "1 2 3 0", "0 3 2 0"});

struct FindingCase {
  const char* name;
  std::string file;
  Run run;
  Finding first;
};

TEST(ObjectCheckTest, FindsEachKindOnItsLine) {
  using K = FindingKind;
  const std::vector<FindingCase> cases = {
      {"centre", kTetrahedron, {{10, -3, 7}}, {K::kCentre, 0, {10, -3, 7}}},
      {"copy into the source octant",
       kTetrahedron,
       {{}, 1, 3},
       {K::kDuplicateCopy, 0, {1}}},
      {"wholly beyond x, same octants",
       ObtText(2, {"5 -5 -5"}),
       {},
       {K::kObjectInOtherOctant, 0, {2, 1, 1 | 2}}},
      {"wholly beyond x, other octants",
       ObtText(2, {"5 -5 -5"}),
       {{}, 1, 4},
       {K::kCopiesInOtherOctants, 0, {2, 1, 2 | 8, 1 | 4}}},
      {"crossing x = 0",
       ObtText(2, {"-5 -1 -1", "5 -1 -1"}),
       {},
       {K::kPointBeyondPlane, 5, {1, 0, 5, 0}}},
      {"image past 32 bits",
       ObtText(2, {"-2147483648 0 0"}),
       {{1, 0, 0}},
       {K::kImageWraps, 4, {0, 0, 2147483650, -2147483646}}},
      {"negative count",
       CrLf({"QZ_OBT", "2.000000", "-2", "0", "0"}),
       {},
       {K::kNegativeCount, 3, {0, -2}}},
      {"points cut short",
       CrLf({"QZ_OBT", "1.000000", "3", "1 2 3"}),
       {},
       {K::kListEndsEarly, 5, {0, 1, 3}}},
      {"text after the end",
       ObtText(1, {}) + CrLf({"", "extra"}),
       {},
       {K::kTextAfterEnd, 6}},
      {"point number past the end",
       ObtText(2, {"0 0 0", "1 0 0", "0 1 0"}, {"0 1 7 0"}),
       {},
       {K::kBadPointNumber, 8, {0, 7, 3}}},
      {"one point twice",
       ObtText(2, {"0 0 0", "1 0 0", "0 1 0"}, {"0 0 1 0"}),
       {},
       {K::kDegenerateTriangle, 8, {0, 0}}},
      {"two corners in one place",
       ObtText(2, {"0 0 0", "1 0 0", "0 0 0"}, {"0 1 2 0"}),
       {},
       {K::kDegenerateTriangle, 8, {0, 1}}},
      {"corners on one line",
       ObtText(2, {"0 0 0", "1 0 0", "2 0 0"}, {"0 1 2 0"}),
       {},
       {K::kDegenerateTriangle, 8, {0, 2}}},
      {"face in x = 0",
       ObtText(2, {"0 0 0", "0 -10 0", "0 0 -10"}, {"0 1 2 0"}),
       {},
       {K::kTriangleInPlane, 8, {0, 0, 0}}},
      {"edge in x = 0 meets its image",
       kEighth,
       {},
       {K::kEdgeClosedByMirroring, 8, {2, 1, 0, 0}}},
      {"edges nothing closes", kEighth, {{}, 1, 0}, {K::kOpenEdge, 8, {0, 2}}},
      {"four copies meet on the z axis",
       kOnAxis,
       {{}, 1, 2 | 4 | 8},
       {K::kCrowdedEdge, 8, {0, 1, 4, 0}}},
      {"a copy turned about the z axis",
       kOnAxis,
       {{}, 1, 4},
       {K::kInconsistentEdge, 8, {0, 1}}},
      {"closed, facing out", kTetrahedron, {{}, 1, 0}, {K::kOutwardVolume}},
      {"closed, inside out",
       ObtText(2, {"0 0 0", "10 0 0", "0 10 0", "0 0 10"},
               {"0 1 2 0", "0 3 1 0", "1 3 2 0", "0 2 3 0"}),
       {{}, 1, 0},
       {K::kInwardVolume}},
      {"closed, enclosing nothing",
       ObtText(2, {"0 0 0", "10 0 0", "0 10 0"}, {"0 1 2 0", "1 0 2 0"}),
       {{}, 1, 0},
       {K::kFlatVolume}},
  };
  for (const FindingCase& c : cases) {
    SCOPED_TRACE(c.name);
    const FindingList findings = CheckFile(c.file, c.run);
    ASSERT_GE(findings.Count(c.first.kind), 1);
    EXPECT_EQ(findings.Kept(c.first.kind).front(), c.first);
  }
}

// The object mirrored on the axes on which `octant` lies on the positive
// side: the same object, modelled in that octant.
obt::ObtObject MovedInto(obt::ObtObject object, mirror::OctantCode octant) {
  const mirror::OctantSides sides =
      *mirror::kOctantTable.FindOctantSides(octant);
  const std::array<bool, 3> flip = {sides.x == 2, sides.y == 2, sides.z == 2};
  for (work::TableEntry& point : object.points) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (flip[axis]) point[axis] = -point[axis];
    }
  }
  if (flip[0] ^ flip[1] ^ flip[2]) {
    for (work::TableEntry& triangle : object.triangles) {
      std::swap(triangle[0], triangle[1]);
    }
  }
  return object;
}

// Both samples are modelled in octant 1 and close when mirrored into the
// other seven. Named with another source octant they lie wholly beyond its
// mirror planes, so no copy overlaps another: mirrored into the seven
// octants other than the named one, the copies still fill all eight and
// close. The check says where the object lies and finds nothing that
// spoils; moved into the named octant they are clean without a word.
TEST(ObjectCheckTest, SamplesCloseFromEverySourceOctant) {
  for (const char* sample : {"quarter-vase.obt", "box-corner.obt"}) {
    const obt::ObtObject modelled =
        Read(std::string(OBTMIRROR_SAMPLES_DIR) + "/" + sample);
    for (const mirror::OctantCode from : mirror::kOctantCodes) {
      for (const bool moved : {false, true}) {
        SCOPED_TRACE(std::string(sample) + " from " + std::to_string(from) +
                     (moved ? " moved there" : ""));
        const FindingList findings =
            CheckObject(moved ? MovedInto(modelled, from) : modelled,
                        {{}, from, static_cast<uint8_t>(~from)});
        EXPECT_EQ(findings.SpoilingCount(), 0);
        EXPECT_EQ(findings.Count(FindingKind::kOutwardVolume), 1);
        EXPECT_GT(findings.Count(FindingKind::kEdgeClosedByMirroring), 0);
        EXPECT_EQ(findings.Count(FindingKind::kObjectInOtherOctant),
                  from != 1 && !moved ? 1 : 0);
      }
    }
  }
}

// From some tens of thousands of triangles on, the triangles are checked
// and their edges read in two parts on two threads. An open grid finds
// each border edge open, and with one inner triangle turned its three
// edges inconsistent, whichever part holds them.
TEST(ObjectCheckTest, CountsEveryEdgeOfALargeGrid) {
  constexpr int kSide = 130;  // 33,800 triangles
  const auto point = [](int row, int column) {
    return row * (kSide + 1) + column;
  };
  for (const bool turned : {false, true}) {
    SCOPED_TRACE(turned ? "one triangle turned" : "as made");
    std::vector<std::string> points;
    for (int row = 0; row <= kSide; ++row) {
      for (int column = 0; column <= kSide; ++column) {
        points.push_back(ObtLine(-10 - 10 * column, -10 - 10 * row, -10));
      }
    }
    std::vector<std::string> triangles;
    for (int row = 0; row < kSide; ++row) {
      for (int column = 0; column < kSide; ++column) {
        const int a = point(row, column);
        const int b = point(row, column + 1);
        const int c = point(row + 1, column);
        const int d = point(row + 1, column + 1);
        const bool turn = turned && row == kSide / 2 && column == kSide / 2;
        triangles.push_back(ObtLine(a, b, d, 0));
        triangles.push_back(turn ? ObtLine(a, c, d, 0) : ObtLine(a, d, c, 0));
      }
    }
    const FindingList findings = CheckFile(ObtText(2, points, triangles), {});
    EXPECT_EQ(findings.Count(FindingKind::kOpenEdge), 4 * kSide);
    EXPECT_EQ(findings.Count(FindingKind::kInconsistentEdge), turned ? 3 : 0);
    EXPECT_EQ(findings.Count(FindingKind::kCrowdedEdge), 0);
  }
}

// The edges of a point are sorted where it has few, and counted in a table
// where it has many: the hub of a fan of triangles finds the same either
// way, each edge named by the first triangle that uses it.
TEST(ObjectCheckTest, CountsTheEdgesOfAFanWhateverItsSize) {
  enum class Change { kNone, kOneTurned, kOneRepeated };
  struct FanCase {
    Change change;
    int64_t open_less;  // rim edges that are no longer open
    int64_t inconsistent;
    int64_t crowded;
  };
  const FanCase cases[] = {
      {Change::kNone, 0, 0, 0},
      {Change::kOneTurned, 0, 2, 0},
      {Change::kOneRepeated, 1, 1, 2},
  };
  for (const int rim : {30, 200}) {
    for (const FanCase& c : cases) {
      SCOPED_TRACE(std::to_string(rim) + " rim points, change " +
                   std::to_string(static_cast<int>(c.change)));
      // The hub is point 0, the rim points 1 to `rim` around it; triangle
      // i - 1 is 0 i i+1, the last closes the fan.
      std::vector<std::string> points = {"-500 -500 -10"};
      for (int i = 0; i < rim; ++i) {
        points.push_back(ObtLine(-500 - i, -100 - i * i, -10));
      }
      const int turned = rim / 2;
      std::vector<std::string> triangles;
      for (int i = 1; i <= rim; ++i) {
        const int next = i % rim + 1;
        triangles.push_back(c.change == Change::kOneTurned && i == turned
                                ? ObtLine(0, next, i, 0)
                                : ObtLine(0, i, next, 0));
      }
      if (c.change == Change::kOneRepeated) triangles.push_back(triangles[0]);
      const FindingList findings = CheckFile(ObtText(2, points, triangles), {});
      EXPECT_EQ(findings.Count(FindingKind::kOpenEdge), rim - c.open_less);
      EXPECT_EQ(findings.Count(FindingKind::kInconsistentEdge), c.inconsistent);
      EXPECT_EQ(findings.Count(FindingKind::kCrowdedEdge), c.crowded);
      if (c.change == Change::kOneTurned) {
        // The spoke to the turned triangle's first rim point, as the
        // triangle before it names it.
        const int64_t first_line = rim + 6 + (turned - 2);
        EXPECT_EQ(
            findings.Kept(FindingKind::kInconsistentEdge)[0],
            (Finding{FindingKind::kInconsistentEdge, first_line, {turned, 0}}));
      }
    }
  }
}

}  // namespace
