// The weld against its definition: the plain result of the same run, its
// equal points merged and the triangles over the same points reduced,
// worked out here the slow way, on coordinates; and the samples welded
// into closed, outward-facing meshes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "geometry/weld_stage.h"
#include "mirror/copy_plan.h"
#include "obt/obt_object.h"
#include "obt/pending_io_error.h"
#include "run/conversion_job.h"
#include "shapes.h"
#include "support/obt_text.h"
#include "support/temp_dir.h"
#include "work/feedback.h"
#include "work/run_inputs.h"

namespace geometry {
namespace {

using testing_support::ObtText;
using testing_support::TempDir;
using work::TableEntry;

__extension__ typedef __int128 Int128;

constexpr unsigned kAll = 255;

struct RunSettings {
  unsigned from = 1;
  unsigned to = kAll;
  std::string centre_x = "0";
};

std::array<bool, 8> Octants(unsigned mask) {
  std::array<bool, 8> checked{};
  for (int i = 0; i < 8; ++i) checked[i] = (mask >> i & 1) != 0;
  return checked;
}

struct Converted {
  obt::ObtObject object;
  std::size_t merged = 0;
  std::size_t dropped = 0;
};

// Runs the conversion of `source`, welded or not, and reads its result.
Converted Convert(const TempDir& dir, const std::string& source,
                  const RunSettings& settings, bool weld) {
  obt::PendingIoError pending;
  run::ConversionJob job(pending);
  WeldStage stage;
  if (weld) job.set_result_stage(&stage);
  const std::string target = dir.File(weld ? "welded.obt" : "plain.obt");
  job.set_target_name(target);
  work::RunInputs inputs;
  inputs.source_name = source;
  inputs.centre_x_text = settings.centre_x;
  inputs.source_octant_checked = Octants(settings.from);
  inputs.target_octant_checked = Octants(settings.to);
  work::NullFeedback feedback;
  Converted converted;
  EXPECT_EQ(job.RunConversionJob(inputs, feedback), run::RunResult::kSucceeded);
  EXPECT_EQ(obt::ReadObtFile(target, converted.object, feedback).status,
            obt::ObtReadOutcome::Status::kRead);
  converted.merged = stage.points_merged();
  converted.dropped = stage.triangles_dropped();
  return converted;
}

// A triangle as the places of its corners, in its own order, and its
// FourthValue.
struct Face {
  std::array<TableEntry, 3> corners;
  uint8_t fourth_value;

  bool operator==(const Face&) const = default;
};

std::vector<Face> Faces(const obt::ObtObject& object) {
  std::vector<Face> faces;
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    Face face{{}, object.fourth_values[t]};
    for (std::size_t k = 0; k < 3; ++k) {
      face.corners[k] =
          object.points.at(static_cast<std::size_t>(object.triangles[t][k]));
    }
    faces.push_back(face);
  }
  return faces;
}

// The corners in ascending order, and whether the face turns the other way
// round them; a face with two equal corners turns neither way.
std::pair<std::array<TableEntry, 3>, bool> Unturned(
    std::array<TableEntry, 3> corners) {
  bool odd = false;
  for (const auto& [i, j] : {std::pair{0, 1}, {1, 2}, {0, 1}}) {
    if (corners[j] < corners[i]) {
      std::swap(corners[i], corners[j]);
      odd = !odd;
    }
  }
  const bool flat = corners[0] == corners[1] || corners[1] == corners[2];
  return {corners, odd && !flat};
}

// What welding the plain result must give: each place once, where it first
// stands; of the faces over the same places, none when some turn one way
// and some the other, else the first.
std::pair<std::vector<TableEntry>, std::vector<Face>> WeldByDefinition(
    const obt::ObtObject& plain) {
  std::vector<TableEntry> points;
  std::set<TableEntry> seen;
  for (const TableEntry& point : plain.points) {
    if (seen.insert(point).second) points.push_back(point);
  }
  const std::vector<Face> faces = Faces(plain);
  std::map<std::array<TableEntry, 3>, std::array<std::vector<std::size_t>, 2>>
      groups;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    const auto [key, reversed] = Unturned(faces[i].corners);
    groups[key][reversed].push_back(i);
  }
  std::set<std::size_t> kept;
  for (const auto& [key, turnings] : groups) {
    const auto& [on, back] = turnings;
    if (on.empty() != back.empty()) {
      kept.insert(on.empty() ? back.front() : on.front());
    }
  }
  std::vector<Face> kept_faces;
  for (const std::size_t i : kept) kept_faces.push_back(faces[i]);
  return {points, kept_faces};
}

// Returns the welded result.
Converted ExpectWeldedByDefinition(const TempDir& dir,
                                   const std::string& source,
                                   const RunSettings& settings) {
  const Converted plain = Convert(dir, source, settings, false);
  const Converted welded = Convert(dir, source, settings, true);
  const auto [points, faces] = WeldByDefinition(plain.object);
  EXPECT_EQ(welded.object.points, points);
  EXPECT_EQ(Faces(welded.object), faces);
  EXPECT_EQ(welded.object.point_count, static_cast<int32_t>(points.size()));
  EXPECT_EQ(welded.object.triangle_count, static_cast<int32_t>(faces.size()));
  EXPECT_EQ(welded.merged, plain.object.points.size() - points.size());
  EXPECT_EQ(welded.dropped, plain.object.triangles.size() - faces.size());
  return welded;
}

std::string Source(const TempDir& dir, const obtgen::Mesh& mesh) {
  const std::string path = dir.File("source.obt");
  EXPECT_TRUE(mesh.WriteObt(path));
  return path;
}

std::string Source(const TempDir& dir, const std::string& text) {
  const std::string path = dir.File("source.obt");
  testing_support::WriteFile(path, text);
  return path;
}

struct CraftedCase {
  const char* name;
  std::string source;
  RunSettings settings;
  std::size_t merged;
  std::size_t dropped;
};

TEST(WeldTest, CraftedSourcesWeldByDefinition) {
  // Point 3 repeats point 0; triangle 1 repeats triangle 0, triangle 2
  // turns back over the same points, so that none of the three stays, and
  // triangle 3 has no area.
  const std::string duplicates =
      ObtText(2, {"-1 -1 -1", "-5 -1 -1", "-1 -5 -1", "-1 -1 -1"},
              {"0 1 2 1", "3 1 2 2", "1 0 2 3", "0 0 1 4"});
  const std::vector<CraftedCase> cases = {
      // Mirrored on z, the face lies on its own mirror image, turned back.
      {"face in a mirror plane",
       ObtText(1, {"-9 0 0", "0 -9 0", "-9 -9 0"}, {"0 1 2 4"}),
       {.to = 16},
       3,
       2},
      {"duplicate points and triangles", duplicates, {.to = 0}, 1, 3},
      {"duplicates, mirrored", duplicates, {.to = 2 | 16}, 3 * 1, 3 * 3},
      // Reaching across x = 0, triangle 1 is triangle 0 mirrored on x.
      {"source straddling a plane",
       ObtText(1, {"-5 -1 -1", "3 -1 -1", "0 -5 -1", "5 -1 -1", "-3 -1 -1"},
               {"0 1 2 0", "4 3 2 0"}),
       {.to = 2},
       5,
       2},
      // -2^31 is its own mirror image in 32 bits: this face lies in the
      // plane, as far as the written numbers go.
      {"coordinates that wrap",
       ObtText(1,
               {"-2147483648 -5 -1", "-2147483648 -1 -5", "-2147483648 -1 -1"},
               {"0 1 2 0"}),
       {.to = 2},
       3,
       2},
      {"centre off zero",
       ObtText(1, {"100 -9 -9", "90 0 -9", "90 -9 0"}, {"0 1 2 0"}),
       {.to = kAll, .centre_x = "100"},
       27 - 12,
       1},
  };
  for (const CraftedCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TempDir dir;
    const Converted welded =
        ExpectWeldedByDefinition(dir, Source(dir, c.source), c.settings);
    EXPECT_EQ(welded.merged, c.merged);
    EXPECT_EQ(welded.dropped, c.dropped);
  }
}

// Small objects over a few places, so that points repeat, triangles meet,
// lie in planes and have no area, in every choice of octants; half of them
// reach across the planes.
TEST(WeldTest, RandomSourcesWeldByDefinition) {
  std::mt19937 random(11);
  const std::vector<std::vector<int32_t>> coordinate_sets = {
      {-2, -1, 0}, {-1, 0, 1}, {-2147483648, -7, 0}, {-3, 0, 3, -2147483648}};
  for (int run = 0; run < 150; ++run) {
    const std::vector<int32_t>& values = coordinate_sets[run % 4];
    const auto pick = [&random](std::size_t count) {
      return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    };
    obt::ObtObject object;
    object.header = {"QZ_OBT", "2.000000"};
    const std::size_t points = 1 + pick(10);
    for (std::size_t p = 0; p < points; ++p) {
      object.points.push_back(TableEntry{values[pick(values.size())],
                                         values[pick(values.size())],
                                         values[pick(values.size())]});
    }
    for (std::size_t t = pick(16); t > 0; --t) {
      const auto corner = [&] { return static_cast<int32_t>(pick(points)); };
      object.triangles.push_back({corner(), corner(), corner()});
      object.fourth_values.push_back(static_cast<uint8_t>(t));
    }
    const RunSettings settings = {.from = 1u << pick(8),
                                  .to = static_cast<unsigned>(pick(256))};
    SCOPED_TRACE(testing::Message() << "run " << run);
    const TempDir dir;
    int create_error = 0;
    ASSERT_EQ(obt::WriteObtFile(dir.File("source.obt"), object, create_error),
              0);
    ExpectWeldedByDefinition(dir, dir.File("source.obt"), settings);
  }
}

// Every edge is used by exactly two triangles, once in each direction, the
// signed volume is positive and no two points are equal: one closed mesh
// that faces outward.
void ExpectClosedOutward(const obt::ObtObject& mesh) {
  std::map<std::pair<int32_t, int32_t>, int> edges;
  Int128 six_volume = 0;
  for (const TableEntry& t : mesh.triangles) {
    for (std::size_t k = 0; k < 3; ++k) ++edges[{t[k], t[(k + 1) % 3]}];
    std::array<std::array<Int128, 3>, 3> c;
    for (std::size_t k = 0; k < 3; ++k) {
      for (std::size_t axis = 0; axis < 3; ++axis) {
        c[k][axis] = mesh.points.at(static_cast<std::size_t>(t[k]))[axis];
      }
    }
    six_volume += c[0][0] * (c[1][1] * c[2][2] - c[1][2] * c[2][1]) -
                  c[0][1] * (c[1][0] * c[2][2] - c[1][2] * c[2][0]) +
                  c[0][2] * (c[1][0] * c[2][1] - c[1][1] * c[2][0]);
  }
  ASSERT_FALSE(edges.empty());
  for (const auto& [edge, count] : edges) {
    ASSERT_EQ(count, 1) << edge.first << "-" << edge.second;
    ASSERT_EQ(edges.count({edge.second, edge.first}), 1u)
        << edge.first << "-" << edge.second;
  }
  EXPECT_GT(six_volume, 0);
  EXPECT_EQ(std::set<TableEntry>(mesh.points.begin(), mesh.points.end()).size(),
            mesh.points.size());
}

// The source as it lies in octant `code` instead of octant 1.
void MoveToOctant(const std::string& source, unsigned code) {
  // Moved as a run from octant 1 into that octant mirrors it.
  const mirror::CopyPlan plan = mirror::BuildCopyPlan(1, code);
  obt::ObtObject object;
  work::NullFeedback feedback;
  ASSERT_EQ(obt::ReadObtFile(source, object, feedback).status,
            obt::ObtReadOutcome::Status::kRead);
  for (TableEntry& p : object.points) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      p[axis] *= plan.axis_sign[0][axis];
    }
  }
  if (plan.winding_flip[0] != 0) {
    for (TableEntry& t : object.triangles) std::swap(t[0], t[1]);
  }
  int create_error = 0;
  ASSERT_EQ(obt::WriteObtFile(source, object, create_error), 0);
}

struct SampleCase {
  const char* name;
  obtgen::Mesh mesh;
  RunSettings settings;  // from: where the source is moved to
  std::size_t merged;
  std::size_t dropped;
};

// A whole cube in octant 1, its faces at 0 in the mirror planes, each face
// two triangles.
obtgen::Mesh CubeInTheCorner() {
  obtgen::Mesh mesh;
  constexpr int32_t kSide = 10;
  for (int axis = 0; axis < 3; ++axis) {
    for (const int32_t level : {-kSide, 0}) {
      const auto point = [&](int32_t u, int32_t v) {
        obtgen::Point at;
        at[static_cast<std::size_t>(axis)] = level;
        at[static_cast<std::size_t>((axis + 1) % 3)] = -u;
        at[static_cast<std::size_t>((axis + 2) % 3)] = -v;
        return mesh.AddPoint(at);
      };
      obtgen::Direction outside = {0, 0, 0};
      outside[static_cast<std::size_t>(axis)] = level == 0 ? 1 : -1;
      const int32_t a = point(0, 0);
      const int32_t b = point(kSide, 0);
      const int32_t c = point(kSide, kSide);
      const int32_t d = point(0, kSide);
      mesh.AddQuad(a, b, c, d, outside, 0);
    }
  }
  return mesh;
}

TEST(WeldTest, SamplesWeldIntoClosedOutwardMeshes) {
  const obtgen::Mesh vase = obtgen::QuarterVase();
  const obtgen::Mesh box = obtgen::BoxCorner();
  const obtgen::Mesh cube = CubeInTheCorner();
  // Each part of the vase meets its neighbours in 142 of its points; with
  // all eight octants the part for octant 1 comes twice.
  const std::vector<SampleCase> cases = {
      {"vase", vase, {.to = kAll}, 118 + 142, 200},
      {"vase, octant 1 left out", vase, {.to = kAll - 1}, 142, 0},
      {"vase from octant 64", vase, {.from = 64}, 260, 200},
      {"box corner", box, {.to = kAll}, 273, 208},
      // Eight cubes make one of twice the side: 27 of the 72 places, and 48
      // of the 108 triangles, the faces between the cubes cancelling
      // whether or not the source's octant comes twice.
      {"cube in the corner", cube, {.to = kAll}, 72 - 27, 108 - 48},
      {"cube in the corner, octant 1 left out",
       cube,
       {.to = kAll - 1},
       64 - 27,
       96 - 48},
      // Of the eight parts' places on the face's edges, four are one where
      // the edges meet one plane and two at the three corners on two.
      {"sphere",
       obtgen::SphereOctant(12, 100000),
       {.to = kAll - 1},
       3 * 11 * 4 + 3 * 6,
       0},
  };
  for (const SampleCase& c : cases) {
    SCOPED_TRACE(c.name);
    const TempDir dir;
    const std::string source = Source(dir, c.mesh);
    if (c.settings.from != 1) MoveToOctant(source, c.settings.from);
    const Converted welded = ExpectWeldedByDefinition(dir, source, c.settings);
    ExpectClosedOutward(welded.object);
    EXPECT_EQ(welded.merged, c.merged);
    EXPECT_EQ(welded.dropped, c.dropped);
  }
}

}  // namespace
}  // namespace geometry
