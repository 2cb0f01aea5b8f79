// Properties that hold for every object, checked over many generated ones:
// closed tetrahedra in one octant, random octant choices and centres.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "run/conversion_job.h"
#include "run_helpers.h"
#include "test_files.h"

namespace obt_test {
namespace {

using run::RunResult;

using Triple = std::array<int64_t, 3>;

struct Object {
  std::vector<Triple> points;
  std::vector<Triple> triangles;
};

constexpr std::array<unsigned, 8> kCodes = {1, 2, 4, 8, 16, 32, 64, 128};
// Negative (-1) or positive (+1) side of each code on x, y, z.
constexpr std::array<Triple, 8> kSides = {{{-1, -1, -1},
                                           {1, -1, -1},
                                           {1, 1, -1},
                                           {-1, 1, -1},
                                           {-1, -1, 1},
                                           {1, -1, 1},
                                           {1, 1, 1},
                                           {-1, 1, 1}}};

int64_t SixVolume(const Object& object, std::size_t first, std::size_t count,
                  int64_t offset) {
  int64_t sum = 0;
  for (std::size_t t = first; t < first + count; ++t) {
    const Triple& a = object.points[object.triangles[t][0] - offset];
    const Triple& b = object.points[object.triangles[t][1] - offset];
    const Triple& c = object.points[object.triangles[t][2] - offset];
    sum += a[0] * (b[1] * c[2] - b[2] * c[1]) -
           a[1] * (b[0] * c[2] - b[2] * c[0]) +
           a[2] * (b[0] * c[1] - b[1] * c[0]);
  }
  return sum;
}

// A few closed tetrahedra around `centre` on the side of `code`, every face
// turning counter-clockwise seen from outside.
Object MakeObject(std::mt19937& random, unsigned code, const Triple& centre) {
  const Triple& side = kSides[std::countr_zero(code)];
  std::uniform_int_distribution<int64_t> coordinate(1, 5000);
  Object object;
  const int solids = std::uniform_int_distribution<int>(1, 4)(random);
  for (int s = 0; s < solids; ++s) {
    const int64_t base = static_cast<int64_t>(object.points.size());
    for (int k = 0; k < 4; ++k) {
      Triple p;
      for (int axis = 0; axis < 3; ++axis) {
        p[axis] = centre[axis] + side[axis] * coordinate(random);
      }
      object.points.push_back(p);
    }
    std::vector<Triple> faces = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    Object solid{{object.points.end() - 4, object.points.end()}, faces};
    if (SixVolume(solid, 0, 4, 0) < 0) {
      for (Triple& face : faces) std::swap(face[0], face[1]);
    }
    for (const Triple& face : faces) {
      object.triangles.push_back(
          {face[0] + base, face[1] + base, face[2] + base});
    }
  }
  return object;
}

std::string ObtText(const Object& object) {
  std::vector<std::string> points;
  std::vector<std::string> triangles;
  for (const Triple& p : object.points) {
    points.push_back(ObtLine(p[0], p[1], p[2]));
  }
  for (const Triple& t : object.triangles) {
    triangles.push_back(ObtLine(t[0], t[1], t[2], 9));
  }
  return testing_support::ObtText(2, points, triangles);
}

Object Parse(const std::string& text) {
  std::istringstream in(text);
  std::string magic;
  std::string version;
  std::getline(in, magic);
  std::getline(in, version);
  Object object;
  std::size_t count = 0;
  in >> count;
  object.points.resize(count);
  for (Triple& p : object.points) in >> p[0] >> p[1] >> p[2];
  in >> count;
  object.triangles.resize(count);
  int64_t fourth = 0;
  for (Triple& t : object.triangles) in >> t[0] >> t[1] >> t[2] >> fourth;
  EXPECT_TRUE(in.good());
  return object;
}

Triple Shifted(const Triple& triangle, int64_t offset) {
  return {triangle[0] + offset, triangle[1] + offset, triangle[2] + offset};
}

// The output's second part is the source itself, point numbers moved on by
// the source's point count.
void ExpectSecondPartIsSource(const Object& output, const Object& source) {
  const std::size_t n = source.points.size();
  const std::size_t t = source.triangles.size();
  ASSERT_GE(output.points.size(), 2 * n);
  ASSERT_GE(output.triangles.size(), 2 * t);
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_EQ(output.points[n + i], source.points[i]);
  }
  for (std::size_t i = 0; i < t; ++i) {
    EXPECT_EQ(output.triangles[t + i],
              Shifted(source.triangles[i], static_cast<int64_t>(n)));
  }
}

class PropertyTest : public ::testing::Test {
 protected:
  Object Convert(const Object& source, unsigned from,
                 const std::vector<unsigned>& to, const Triple& centre) {
    WriteFile(dir_.File("in.obt"), ObtText(source));
    JobRun run;
    run.inputs.source_octant_checked = Octants({from});
    std::array<bool, 8> targets{};
    for (const unsigned code : to) targets[std::countr_zero(code)] = true;
    run.inputs.target_octant_checked = targets;
    run.inputs.centre_x_text = std::to_string(centre[0]);
    run.inputs.centre_y_text = std::to_string(centre[1]);
    run.inputs.centre_z_text = std::to_string(centre[2]);
    EXPECT_EQ(run.Run(dir_.File("in.obt"), dir_.File("out.obt")),
              RunResult::kSucceeded);
    return Parse(ReadFile(dir_.File("out.obt")));
  }

  TempDir dir_;
};

TEST_F(PropertyTest, HoldForGeneratedObjects) {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int64_t> centre_coordinate(-100000, 100000);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    const unsigned from = kCodes[random() % 8];
    const Triple centre = {centre_coordinate(random), centre_coordinate(random),
                           centre_coordinate(random)};
    const Object source = MakeObject(random, from, centre);
    const std::size_t n = source.points.size();
    const std::size_t t = source.triangles.size();

    // Into its own octant alone: the object exactly twice.
    const Object doubled = Convert(source, from, {from}, centre);
    ASSERT_EQ(doubled.points.size(), 2 * n);
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_EQ(doubled.points[i], source.points[i]);
    }
    ExpectSecondPartIsSource(doubled, source);

    // Into a random set: (copies + 1) times the counts, every point number in
    // range, every copy still turned outward.
    std::vector<unsigned> to;
    for (const unsigned code : kCodes) {
      if (random() % 2 == 0) to.push_back(code);
    }
    const Object result = Convert(source, from, to, centre);
    const std::size_t parts = to.size() + 1;
    ASSERT_EQ(result.points.size(), parts * n);
    ASSERT_EQ(result.triangles.size(), parts * t);
    for (const Triple& triangle : result.triangles) {
      for (const int64_t number : triangle) {
        ASSERT_GE(number, 0);
        ASSERT_LT(number, static_cast<int64_t>(parts * n));
      }
    }
    Object relative = result;
    for (Triple& p : relative.points) {
      for (int axis = 0; axis < 3; ++axis) p[axis] -= centre[axis];
    }
    for (std::size_t part = 0; part < parts; ++part) {
      EXPECT_GT(SixVolume(relative, part * t, t, 0), 0) << "part " << part;
    }

    // The first copy, mirrored back into the source's octant, is the source.
    if (to.empty()) continue;
    Object copy;
    copy.points.assign(result.points.begin() + n,
                       result.points.begin() + 2 * n);
    for (std::size_t i = t; i < 2 * t; ++i) {
      copy.triangles.push_back(
          Shifted(result.triangles[i], -static_cast<int64_t>(n)));
    }
    ExpectSecondPartIsSource(Convert(copy, to.front(), {from}, centre), source);
  }
}

}  // namespace
}  // namespace obt_test
