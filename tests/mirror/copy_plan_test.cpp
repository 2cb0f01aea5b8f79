#include "mirror/copy_plan.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "mirror/octant_table.h"

namespace {

using mirror::CopyPlan;
using mirror::OctantCode;
using mirror::OctantSides;

// Where each code stands, as the octant cube shows it: bottom corners 1, 2,
// 4, 8 run front left, front right, back right, back left; the top corner
// above each has 16 times its code.
struct Placement {
  OctantCode code;
  OctantSides sides;
};
const std::vector<Placement> kPlacements = {
    {1, {1, 1, 1}},  {2, {2, 1, 1}},  {4, {2, 2, 1}},  {8, {1, 2, 1}},
    {16, {1, 1, 2}}, {32, {2, 1, 2}}, {64, {2, 2, 2}}, {128, {1, 2, 2}},
};

TEST(OctantTableTest, LayoutAndLookup) {
  const mirror::OctantTable& table = mirror::kOctantTable;
  std::vector<int> stored;
  for (int x = 1; x <= 2; ++x) {
    for (int y = 1; y <= 2; ++y) {
      for (int z = 1; z <= 2; ++z) stored.push_back(table.At(x, y, z));
    }
  }
  EXPECT_EQ(stored, (std::vector<int>{1, 16, 8, 128, 2, 32, 4, 64}));
  for (const Placement& p : kPlacements) {
    EXPECT_EQ(table.FindOctantSides(p.code), p.sides) << int{p.code};
  }
  for (const OctantCode invalid : {0, 3, 255}) {
    EXPECT_EQ(table.FindOctantSides(invalid), std::nullopt) << int{invalid};
  }
}

struct Copy {
  std::array<int32_t, 3> signs;
  int flip;
};

struct PlanCase {
  std::string name;
  OctantCode source;
  uint8_t mask;
  std::vector<Copy> copies;
};

TEST(CopyPlanTest, Plans) {
  const std::vector<PlanCase> cases = {
      {"octant 1 into all eight",
       1,
       255,
       {{{1, 1, 1}, 0},
        {{-1, 1, 1}, 1},
        {{-1, -1, 1}, 0},
        {{1, -1, 1}, 1},
        {{1, 1, -1}, 1},
        {{-1, 1, -1}, 0},
        {{-1, -1, -1}, 1},
        {{1, -1, -1}, 0}}},
      {"window's first state", 1, 2, {{{-1, 1, 1}, 1}}},
      {"octant 64 into octant 1", 64, 1, {{{-1, -1, -1}, 1}}},
      {"octant 1 into 2 and 4", 1, 6, {{{-1, 1, 1}, 1}, {{-1, -1, 1}, 0}}},
      {"mask holding the source", 1, 3, {{{1, 1, 1}, 0}, {{-1, 1, 1}, 1}}},
      {"copies in code order, not mask order",
       32,
       16 + 64 + 2,
       {{{1, 1, -1}, 1}, {{-1, 1, 1}, 1}, {{1, -1, 1}, 1}}},
      {"octant 128 into 1 and 4", 128, 5, {{{1, -1, -1}, 0}, {{-1, 1, -1}, 0}}},
      {"no target octant", 1, 0, {}},
      {"source octant never set counts as octant 1", 0, 2, {{{-1, 1, 1}, 1}}},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CopyPlan plan = mirror::BuildCopyPlan(c.source, c.mask);
    ASSERT_EQ(plan.copy_count, static_cast<int32_t>(c.copies.size()));
    for (std::size_t slot = 0; slot < mirror::kMaxCopies; ++slot) {
      const Copy expected =
          slot < c.copies.size() ? c.copies[slot] : Copy{{1, 1, 1}, 0};
      EXPECT_EQ(plan.axis_sign[slot], expected.signs) << "copy " << slot + 1;
      EXPECT_EQ(plan.winding_flip[slot], expected.flip) << "copy " << slot + 1;
    }
  }
}

TEST(CopyPlanTest, ReadingTheButtons) {
  OctantCode source = 8;
  mirror::ReadSourceOctant({}, source);
  EXPECT_EQ(source, 8) << "none checked keeps the old value";
  mirror::ReadSourceOctant({false, true, false, false, false, true}, source);
  EXPECT_EQ(source, 32) << "the highest checked code wins";
  mirror::ReadSourceOctant({true}, source);
  EXPECT_EQ(source, 1);

  EXPECT_EQ(mirror::ReadTargetMask({}), 0);
  EXPECT_EQ(mirror::ReadTargetMask({false, true, true}), 6);
  EXPECT_EQ(mirror::ReadTargetMask(
                {true, false, false, false, false, false, false, true}),
            129);
  EXPECT_EQ(
      mirror::ReadTargetMask({true, true, true, true, true, true, true, true}),
      255);
}

}  // namespace
