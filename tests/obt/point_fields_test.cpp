#include "run/point_fields.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "obt/decimal_format.h"
#include "work/wrap_arithmetic.h"

namespace {

struct FieldsCase {
  const char* name;
  std::vector<work::TableEntry> points;
  std::array<uint32_t, 3> centre;
  bool made;
};

// Every copy's line from the fields matches the line formatted anew, at
// the edges of what eight characters hold; one value beyond them leaves
// the lines to be formatted anew.
TEST(PointFieldsTest, LinesMatchFormattedLinesOrAreNotMade) {
  // A value and its reflection are c + p and c - p.
  // Rows four at a time and the rest one by one: random values of every
  // length, both signs, around a centre.
  std::vector<work::TableEntry> many;
  uint32_t state = 3;
  // More rows than are made without a helper.
  for (int row = 0; row < 20003; ++row) {
    work::TableEntry point;
    for (int32_t& value : point) {
      state = state * 1664525u + 1013904223u;
      value = static_cast<int32_t>(state % 19'999'999 >> (state >> 27)) -
              9'999'999 / static_cast<int32_t>(1 + (state >> 29));
    }
    many.push_back(point);
  }
  const std::vector<FieldsCase> cases = {
      {"many rows", many, {0, 0, 0}, true},
      {"edges of eight characters around 0",
       {{0, -9'999'999, 9'999'999}, {1, -1, 123}},
       {0, 0, 0},
       true},
      {"both ends around a centre",
       {{54'999'999, 10, -20}, {-54'999'999, -4'000'000, 3}},
       {45'000'000, 1'000'000, static_cast<uint32_t>(-5)},
       true},
      {"reflected beyond eight characters",
       {{0, 0, 0}, {0, 0, 10'000'000}},
       {0, 0, 0},
       false},
      {"kept beyond eight characters",
       {{50'000'001, 0, 0}},
       {50'000'000, 0, 0},
       false},
  };
  for (const auto& [c, as_stored] :
       {std::pair{cases[0], false}, std::pair{cases[0], true},
        std::pair{cases[1], false}, std::pair{cases[2], false},
        std::pair{cases[3], false}, std::pair{cases[4], false}}) {
    SCOPED_TRACE(std::string(c.name) + (as_stored ? ", as stored" : ""));
    run::PointFields fields;
    if (as_stored) {
      // Made while the rows come a few at a time, as a conversion reads
      // them.
      ASSERT_TRUE(fields.Start(c.points.data(), c.points.size(), c.centre));
      for (std::size_t rows = 0; rows < c.points.size(); rows += 777) {
        fields.Stored(rows);
      }
      fields.Stored(c.points.size());
      ASSERT_TRUE(fields.Finish());
    } else {
      ASSERT_EQ(fields.Make(c.points.data(), c.points.size(), c.centre),
                c.made);
    }
    if (!c.made) continue;
    for (unsigned reflected = 0; reflected < 8; ++reflected) {
      for (std::size_t row = 0; row < c.points.size(); ++row) {
        std::array<int32_t, 3> values;
        for (unsigned axis = 0; axis < 3; ++axis) {
          const int32_t sign = (reflected >> axis) & 1 ? -1 : 1;
          values[axis] = work::WrapAdd(
              work::WrapMultiply(c.points[row][axis], sign), c.centre[axis]);
        }
        char expected[obt::kMaxNumberLineLength<3>];
        char out[obt::kMaxNumberLineLength<3> + run::PointFields::kSlack];
        EXPECT_EQ(
            std::string(out, fields.WriteLine(out, row, reflected)),
            std::string(expected, obt::WriteNumberLine(expected, values[0],
                                                       values[1], values[2])))
            << "row " << row << ", reflected " << reflected;
      }
    }
  }
}

}  // namespace
