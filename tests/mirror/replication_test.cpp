#include "mirror/replication.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "mirror/copy_plan.h"
#include "support/recording_feedback.h"
#include "work/work_tables.h"

namespace {

using work::TableEntry;

// Entries past those a step may write hold this, to show that they stay.
constexpr int32_t kUntouched = 0x5A5A5A5A;

using testing_support::RecordingFeedback;

TEST(MirrorPointsTest, WorkedExampleAndGauge) {
  std::vector<TableEntry> points(10, {kUntouched, kUntouched, kUntouched});
  points[0] = {0, 0, 0};
  points[1] = {10, 0, 0};
  points[2] = {0, 10, 5};
  RecordingFeedback feedback;
  mirror::MirrorPoints(mirror::BuildCopyPlan(1, 6), 3, points.data(), feedback);
  const std::vector<TableEntry> expected = {
      {0, 0, 0},   {10, 0, 0},
      {0, 10, 5},  {0, 0, 0},
      {-10, 0, 0}, {0, 10, 5},
      {0, 0, 0},   {-10, 0, 0},
      {0, -10, 5}, {kUntouched, kUntouched, kUntouched}};
  EXPECT_EQ(points, expected);
  EXPECT_EQ(feedback.calls, std::vector<std::string>{"gauge 67"});
}

TEST(MirrorPointsTest, NegationWrapsAtThirtyTwoBits) {
  std::vector<TableEntry> points = {{INT32_MIN, INT32_MAX, -1}, {0, 0, 0}};
  RecordingFeedback feedback;
  mirror::MirrorPoints(mirror::BuildCopyPlan(1, 64), 1, points.data(),
                       feedback);
  EXPECT_EQ(points[1], (TableEntry{INT32_MIN, -INT32_MAX, 1}));
}

struct TriangleCase {
  std::string name;
  mirror::OctantCode source;
  uint8_t mask;
  int32_t point_count;
  TableEntry triangle;
  std::vector<TableEntry> copies;
};

TEST(ReplicateTrianglesTest, OffsetsAndWinding) {
  const std::vector<TriangleCase> cases = {
      {"worked example", 1, 6, 3, {0, 1, 2}, {{4, 3, 5}, {6, 7, 8}}},
      {"duplicate of the source", 1, 1, 3, {0, 1, 2}, {{3, 4, 5}}},
      {"no points", 1, 2, 0, {0, 1, 2}, {{1, 0, 2}}},
      {"negative point count", 1, 2, -3, {3, 4, 5}, {{1, 0, 2}}},
      {"offsets wrap at 32 bits",
       1,
       7,
       1431655765,
       {5, 6, 7},
       {{1431655770, 1431655771, 1431655772},
        {-1431655760, -1431655761, -1431655759},
        {4, 5, 6}}},
  };
  for (const TriangleCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::size_t used = 1 + c.copies.size();
    std::vector<TableEntry> triangles(used + 1,
                                      {kUntouched, kUntouched, kUntouched});
    std::vector<uint8_t> fourth(used + 1, 0x5A);
    triangles[0] = c.triangle;
    fourth[0] = 200;
    RecordingFeedback feedback;
    mirror::ReplicateTriangles(mirror::BuildCopyPlan(c.source, c.mask),
                               c.point_count, 1, triangles.data(),
                               fourth.data(), feedback);
    std::vector<TableEntry> expected = {c.triangle};
    expected.insert(expected.end(), c.copies.begin(), c.copies.end());
    expected.push_back({kUntouched, kUntouched, kUntouched});
    EXPECT_EQ(triangles, expected);
    std::vector<uint8_t> expected_fourth(used, 200);
    expected_fourth.push_back(0x5A);
    EXPECT_EQ(fourth, expected_fourth);
    EXPECT_EQ(feedback.calls, std::vector<std::string>{"gauge 67"});
  }
}

TEST(ReplicateTrianglesTest, CopiesFollowEachOtherInBlocksOfT) {
  // Two triangles, copies for codes 2 and 4: copy n holds entries
  // n*T+1 .. (n+1)*T in the source's order.
  std::vector<TableEntry> triangles(6);
  std::vector<uint8_t> fourth(6);
  triangles[0] = {0, 1, 2};
  triangles[1] = {2, 1, 0};
  fourth[0] = 1;
  fourth[1] = 2;
  RecordingFeedback feedback;
  mirror::ReplicateTriangles(mirror::BuildCopyPlan(1, 6), 10, 2,
                             triangles.data(), fourth.data(), feedback);
  const std::vector<TableEntry> expected = {{0, 1, 2},    {2, 1, 0},
                                            {11, 10, 12}, {11, 12, 10},
                                            {20, 21, 22}, {22, 21, 20}};
  EXPECT_EQ(triangles, expected);
  EXPECT_EQ(fourth, (std::vector<uint8_t>{1, 2, 1, 2, 1, 2}));
}

TEST(ReplicationTest, NoCopiesWriteNothingButStillSetTheGauge) {
  const TableEntry untouched = {kUntouched, kUntouched, kUntouched};
  std::vector<TableEntry> entries = {{0, 1, 2}, untouched};
  std::vector<uint8_t> fourth = {7, 0x5A};
  RecordingFeedback feedback;
  mirror::MirrorPoints(mirror::BuildCopyPlan(1, 0), 1, entries.data(),
                       feedback);
  mirror::ReplicateTriangles(mirror::BuildCopyPlan(1, 0), 3, 1, entries.data(),
                             fourth.data(), feedback);
  EXPECT_EQ(entries, (std::vector<TableEntry>{{0, 1, 2}, untouched}));
  EXPECT_EQ(fourth, (std::vector<uint8_t>{7, 0x5A}));
  EXPECT_EQ(feedback.calls, (std::vector<std::string>{"gauge 67", "gauge 67"}));
}

}  // namespace
