// The check of an object that falls into parts: each closed part faces
// its own way.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "geometry/object_check.h"
#include "obt/obt_object.h"
#include "support/obt_text.h"
#include "support/temp_dir.h"
#include "work/feedback.h"

namespace {

using geometry::Finding;
using geometry::FindingKind;
using geometry::FindingList;
using testing_support::ObtLine;
using testing_support::ObtText;

// The findings on `file`, for a run into no other octant.
FindingList CheckFile(const std::string& file) {
  const testing_support::TempDir dir;
  testing_support::WriteFile(dir.File("object.obt"), file);
  obt::ObtObject object;
  work::NullFeedback feedback;
  if (obt::ReadObtFile(dir.File("object.obt"), object, feedback).status !=
      obt::ObtReadOutcome::Status::kRead) {
    throw std::runtime_error("cannot read the object");
  }
  return geometry::CheckObject(object, {{}, 1, mirror::BuildCopyPlan(1, 0)});
}

// An object of several parts, made part by part.
class Parts {
 public:
  // A cube of side `side` from `at` to `at` + `side` on all three axes,
  // facing out or inside out, and without its last triangle when open.
  Parts& Cube(int at, int side, bool inside_out = false, bool open = false) {
    const int first = static_cast<int>(points_.size());
    for (int corner = 0; corner < 8; ++corner) {
      std::string point;
      for (int axis = 0; axis < 3; ++axis) {
        point += std::to_string(at + ((corner >> axis) & 1) * side) + " ";
      }
      points_.push_back(point);
    }
    // Corner c lies at x = c & 1, y = c & 2, z = c & 4; the faces turn
    // outward.
    static constexpr int kFaces[12][3] = {
        {0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
        {2, 6, 7}, {2, 7, 3}, {0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}};
    std::vector<std::string>& part = parts_.emplace_back();
    for (const auto& face : kFaces) {
      const int a = first + face[0];
      const int b = first + (inside_out ? face[2] : face[1]);
      const int c = first + (inside_out ? face[1] : face[2]);
      part.push_back(ObtLine(a, b, c, 0));
    }
    if (open) part.pop_back();
    return *this;
  }

  // A tetrahedron pointing down to `x`, `y`, `z`, its first corner, from a
  // base 2 higher.
  Parts& Spike(int x, int y, int z, bool inside_out) {
    const int first = static_cast<int>(points_.size());
    for (const auto& [dx, dy, dz] :
         {std::array{0, 0, 0}, {-1, -1, 2}, {1, -1, 2}, {0, 1, 2}}) {
      points_.push_back(ObtLine(x + dx, y + dy, z + dz));
    }
    static constexpr int kFaces[4][3] = {
        {0, 1, 2}, {0, 2, 3}, {0, 3, 1}, {1, 3, 2}};
    std::vector<std::string>& part = parts_.emplace_back();
    for (const auto& face : kFaces) {
      part.push_back(ObtLine(first + face[0], first + face[inside_out ? 1 : 2],
                             first + face[inside_out ? 2 : 1], 0));
    }
    return *this;
  }

  // Two cones on a rim of `rim` points around the z axis, their apexes
  // first: each apex's edges are listed with it.
  Parts& Bipyramid(int rim, bool inside_out) {
    const int first = static_cast<int>(points_.size());
    points_.insert(points_.end(), {"0 0 50", "0 0 -50"});
    for (int k = 0; k < rim; ++k) {
      const double angle = 2 * std::numbers::pi * k / rim;
      points_.push_back(ObtLine(std::lround(100 * std::cos(angle)),
                                std::lround(100 * std::sin(angle)), 0));
    }
    std::vector<std::string>& part = parts_.emplace_back();
    for (int k = 0; k < rim; ++k) {
      const int here = first + 2 + k;
      const int next = first + 2 + (k + 1) % rim;
      const int top = first;
      const int bottom = first + 1;
      part.push_back(inside_out ? ObtLine(next, here, top, 0)
                                : ObtLine(here, next, top, 0));
      part.push_back(inside_out ? ObtLine(here, next, bottom, 0)
                                : ObtLine(next, here, bottom, 0));
    }
    return *this;
  }

  // Two triangles back to back: closed, but enclosing nothing.
  Parts& Sheet(int at) {
    const int first = static_cast<int>(points_.size());
    points_.push_back(ObtLine(at, 0, 0));
    points_.push_back(ObtLine(at + 10, 0, 0));
    points_.push_back(ObtLine(at, 10, 0));
    parts_.push_back({ObtLine(first, first + 1, first + 2, 0),
                      ObtLine(first + 1, first, first + 2, 0)});
    return *this;
  }

  // A triangle on its own, as written.
  Parts& Triangle(std::string triangle) {
    parts_.push_back({std::move(triangle)});
    return *this;
  }

  // A version 2 file, points from line 4, triangles from line 5 + points:
  // the parts' triangles one after the other, or in turns, one of each
  // part while it has some.
  std::string File(bool in_turns = false) const {
    std::vector<std::string> triangles;
    if (!in_turns) {
      for (const auto& part : parts_) {
        triangles.insert(triangles.end(), part.begin(), part.end());
      }
    }
    for (std::size_t i = 0; in_turns; ++i) {
      in_turns = false;
      for (const auto& part : parts_) {
        if (i >= part.size()) continue;
        triangles.push_back(part[i]);
        in_turns = true;
      }
    }
    return ObtText(2, points_, triangles);
  }

 private:
  std::vector<std::string> points_;
  std::vector<std::vector<std::string>> parts_;
};

struct PartCase {
  const char* name;
  std::string file;
  int64_t inward;
  int64_t flat;
  // The first of those findings.
  std::optional<Finding> first;
  // The whole object's volume finding.
  std::optional<FindingKind> whole;
};

// A part facing the other way from the rest is found on its own, named by
// its first triangle; the object's volume is still told as a whole.
TEST(PartCheckTest, FindsEachClosedPartFacingTheWrongWay) {
  using K = FindingKind;
  // Three thousand cubes: two threads join their triangles.
  Parts many;
  for (int i = 0; i < 3000; ++i) many.Cube(3 * i, 1, i % 7 == 3);
  const std::vector<PartCase> cases = {
      {"small part inside out beside a large one",
       Parts().Cube(0, 10).Cube(20, 2, true).File(), 1, 0,
       Finding{K::kInwardPart, 33, {12, 2, 2}}, K::kOutwardVolume},
      {"equal parts facing opposite ways, in turns",
       Parts().Cube(0, 10).Cube(20, 10, true).File(true), 1, 0,
       Finding{K::kInwardPart, 22, {1, 2, 2}}, K::kFlatVolume},
      {"two parts facing out", Parts().Cube(0, 10).Cube(20, 5).File(), 0, 0,
       std::nullopt, K::kOutwardVolume},
      {"open part beside one inside out",
       Parts().Cube(0, 10, false, true).Cube(20, 10, true).File(), 1, 0,
       Finding{K::kInwardPart, 32, {11, 2, 2}}, std::nullopt},
      {"flat part beside a cube", Parts().Cube(0, 10).Sheet(100).File(), 0, 1,
       Finding{K::kFlatPart, 28, {12, 2, 2}}, K::kOutwardVolume},
      {"one part inside out: the whole tells it",
       Parts().Cube(0, 10, true).File(), 0, 0, std::nullopt, K::kInwardVolume},
      {"a triangle naming no point is no part",
       Parts().Cube(0, 10, true).Triangle("0 1 99 0").File(), 0, 0,
       std::nullopt, K::kInwardVolume},
      {"part around points of many edges",
       Parts().Cube(200, 10).Bipyramid(40, true).File(true), 1, 0,
       Finding{K::kInwardPart, 5 + 50 + 1, {1, 2, 2}}, K::kInwardVolume},
      {"hollow cube, its cavity's wall facing inward",
       Parts().Cube(0, 10).Cube(2, 6, true).File(), 0, 0, std::nullopt,
       K::kOutwardVolume},
      {"hollow cube, its cavity's wall facing outward",
       Parts().Cube(0, 10).Cube(2, 6).File(), 1, 0,
       Finding{K::kInwardPart, 33, {12, 2, 2, 1}}, K::kOutwardVolume},
      {"cube in the cavity of a hollow one",
       Parts().Cube(0, 10).Cube(2, 6, true).Cube(4, 2).File(), 0, 0,
       std::nullopt, K::kOutwardVolume},
      {"cavity touching the outer wall in a corner on an edge",
       Parts().Cube(0, 10).Spike(5, 5, 0, true).File(), 0, 0, std::nullopt,
       K::kOutwardVolume},
      {"thousands of parts", many.File(), 429, 0,
       Finding{K::kInwardPart, 5 + 24000 + 36, {36, 4, 3000}},
       K::kOutwardVolume},
  };
  for (const PartCase& c : cases) {
    SCOPED_TRACE(c.name);
    const FindingList findings = CheckFile(c.file);
    EXPECT_EQ(findings.Count(K::kInwardPart), c.inward);
    EXPECT_EQ(findings.Count(K::kFlatPart), c.flat);
    if (c.first) {
      EXPECT_EQ(findings.Kept(c.first->kind).front(), *c.first);
    }
    for (const K whole :
         {K::kOutwardVolume, K::kInwardVolume, K::kFlatVolume}) {
      EXPECT_EQ(findings.Count(whole), c.whole == whole ? 1 : 0);
    }
  }
}

}  // namespace
