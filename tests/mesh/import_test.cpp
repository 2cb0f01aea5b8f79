#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "mesh/mesh_import.h"
#include "mesh_files.h"
#include "mirror/octant_table.h"
#include "support/recording_feedback.h"
#include "support/temp_dir.h"
#include "work/background.h"

namespace {

using mesh::ImportOptions;
using mesh::ImportOutcome;
using mesh_test::Corners;
using mesh_test::Vertex;
using testing_support::TempDir;
using testing_support::WriteFile;
using work::TableEntry;

constexpr char kLibraryNumbers[] =
    " (as the mesh library numbers them, not the file) of mesh 0";

// Two triangles over a square: their edge is shared, the STL files repeat
// its corners.
const std::vector<Vertex> kSquare = {
    {0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
const std::vector<Corners> kSquareCorners = {{0, 1, 2}, {0, 2, 3}};
const std::vector<TableEntry> kSquarePoints = {
    {0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}};
const std::vector<TableEntry> kSquareTriangles = {{0, 1, 2}, {0, 2, 3}};

ImportOptions AtScale(double scale) {
  ImportOptions options;
  options.scale = scale;
  return options;
}

class ImportTest : public ::testing::Test {
 protected:
  ImportOutcome Import(const std::string& name, const std::string& bytes,
                       const ImportOptions& options) {
    WriteFile(dir_.File(name), bytes);
    work::Background release;
    return mesh::ImportMesh(dir_.File(name), options, feedback_, object_,
                            release);
  }

  TempDir dir_;
  testing_support::RecordingFeedback feedback_;
  obt::ObtObject object_;
};

struct FormatCase {
  const char* name;
  std::string file;
  std::string bytes;
  std::vector<TableEntry> points;
  std::vector<TableEntry> triangles;
  int64_t meshes;
  int64_t dropped_points = 0;
  int64_t dropped_lines = 0;
};

TEST_F(ImportTest, ReadsEachFormatWithItsCornersJoined) {
  // The same triangle placed by two nodes: once moved by (100, 0, 0), once
  // under a parent that doubles it and a child that moves it by (0, 0, 5)
  // before.
  const std::string gltf = mesh_test::Gltf(
      {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}},
      R"([{"mesh": 0, "translation": [100, 0, 0]}, {"scale": [2, 2, 2],)"
      R"( "children": [2]}, {"mesh": 0, "translation": [0, 0, 5]}])",
      "[0, 1]");
  const std::vector<FormatCase> cases = {
      {"OBJ: a quad and a triangle on one vertex, a point and a line",
       "a.obj",
       "v 0 0 0\nv 10 0 0\nv 10 10 0\nv 0 10 0\nv 5 5 10\n"
       "f 1 2 3 4\nf 1 2 5\np 5\nl 1 5\n",
       {{0, 0, 0}, {10, 0, 0}, {10, 10, 0}, {0, 10, 0}, {5, 5, 10}},
       {{0, 1, 2}, {0, 2, 3}, {0, 1, 4}},
       1,
       1,
       1},
      {"ASCII STL", "a.stl", mesh_test::AsciiStl(kSquare, kSquareCorners),
       kSquarePoints, kSquareTriangles, 1},
      {"binary STL", "b.stl", mesh_test::BinaryStl(kSquare, kSquareCorners),
       kSquarePoints, kSquareTriangles, 1},
      {"PLY", "a.ply", mesh_test::AsciiPly(kSquare, kSquareCorners),
       kSquarePoints, kSquareTriangles, 1},
      {"OFF", "a.off",
       "OFF\n4 1 0\n0 0 0\n10 0 0\n10 10 0\n0 10 0\n4 0 1 2 3\n", kSquarePoints,
       kSquareTriangles, 1},
      {"glTF: one mesh under two nodes",
       "a.gltf",
       gltf,
       {{100, 0, 0},
        {101, 0, 0},
        {100, 1, 0},
        {0, 0, 10},
        {2, 0, 10},
        {0, 2, 10}},
       {{0, 1, 2}, {3, 4, 5}},
       2},
  };
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ImportOutcome outcome = Import(c.file, c.bytes, AtScale(1));
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported)
        << outcome.reason;
    EXPECT_EQ(object_.points, c.points);
    EXPECT_EQ(object_.triangles, c.triangles);
    EXPECT_EQ(object_.fourth_values,
              std::vector<uint8_t>(c.triangles.size(), 0));
    EXPECT_EQ(object_.point_count, static_cast<int32_t>(c.points.size()));
    EXPECT_EQ(object_.header.version_text, "2.000000");
    EXPECT_EQ(outcome.meshes, c.meshes);
    EXPECT_EQ(outcome.dropped_points, c.dropped_points);
    EXPECT_EQ(outcome.dropped_lines, c.dropped_lines);
  }
  // The gauge ran from 0 to 100 and never back.
  int32_t last = -1;
  for (const std::string& call : feedback_.calls) {
    if (call.rfind("gauge ", 0) != 0) continue;
    const int32_t progress = std::stoi(call.substr(6));
    EXPECT_LE(progress, 100);
    if (progress == 0) last = 0;
    EXPECT_GE(progress, last);
    last = progress;
  }
  EXPECT_EQ(last, 100);
}

TEST_F(ImportTest, AMirroringTransformReversesTheWinding) {
  struct Case {
    const char* name;
    std::string nodes;
    std::string roots;
    bool flip;
    std::vector<TableEntry> triangles;
  };
  // One triangle, (0, 0, 0) (1, 0, 0) (0, 1, 0), placed by the nodes.
  const std::vector<Case> cases = {
      {"plain", R"([{"mesh": 0}])", "[0]", false, {{0, 1, 2}}},
      {"mirrored in x",
       R"([{"mesh": 0, "scale": [-1, 1, 1]}])",
       "[0]",
       false,
       {{1, 0, 2}}},
      {"turned half round: mirrored twice",
       R"([{"mesh": 0, "scale": [-1, -1, 1]}])",
       "[0]",
       false,
       {{0, 1, 2}}},
      {"a mirroring parent over a plain child",
       R"([{"matrix": [1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1],)"
       R"( "children": [1]}, {"mesh": 0, "translation": [0, 0, 5]}])",
       "[0]",
       false,
       {{1, 0, 2}}},
      {"one plain and one mirrored instance",
       R"([{"mesh": 0, "translation": [5, 0, 0]},)"
       R"( {"mesh": 0, "scale": [1, 1, -1]}])",
       "[0, 1]",
       false,
       {{0, 1, 2}, {4, 3, 5}}},
      {"mirrored, with --flip",
       R"([{"mesh": 0, "scale": [-1, 1, 1]}])",
       "[0]",
       true,
       {{0, 1, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ImportOptions options = AtScale(1);
    options.flip = c.flip;
    const ImportOutcome outcome =
        Import("m.gltf",
               mesh_test::Gltf({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}},
                               c.nodes, c.roots),
               options);
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported)
        << outcome.reason;
    EXPECT_EQ(object_.triangles, c.triangles);
  }
}

TEST_F(ImportTest, TrianglesThatRoundingCollapsesAreDroppedAndCounted) {
  struct Case {
    const char* name;
    std::string obj;
    ImportOptions options;
    ImportOutcome::Status status;
    std::vector<TableEntry> triangles;
    int64_t dropped;
  };
  ImportOptions tiny_scale = AtScale(1e-320);
  const std::string small_and_far =
      "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 1e9 0 0\nv 0 1e9 0\n"
      "f 1 2 3\nf 1 4 5\n";
  const std::vector<Case> cases = {
      {"a far vertex shrinks the rest to a point under --fit",
       small_and_far,
       {},
       ImportOutcome::Status::kImported,
       {{0, 1, 2}},
       1},
      {"a scale that collapses everything",
       small_and_far,
       tiny_scale,
       ImportOutcome::Status::kNoTriangle,
       {},
       2},
      {"corners rounded onto one line",
       "v 0 0 0\nv 10 0.4 0\nv 20 0 0\nv 0 5 0\nf 1 2 3\nf 1 3 4\n",
       AtScale(1),
       ImportOutcome::Status::kImported,
       {{0, 2, 3}},
       1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ImportOutcome outcome = Import("m.obj", c.obj, c.options);
    ASSERT_EQ(outcome.status, c.status) << outcome.reason;
    EXPECT_EQ(outcome.dropped_degenerate, c.dropped);
    if (c.status == ImportOutcome::Status::kImported) {
      EXPECT_EQ(object_.triangles, c.triangles);
      EXPECT_EQ(object_.triangle_count,
                static_cast<int32_t>(c.triangles.size()));
    }
  }
}

struct ScaleCase {
  const char* name;
  ImportOptions options;
  std::vector<TableEntry> points;
  double scale;
};

// A bad vertex is named as the user can find it: by the file's number where
// the reader keeps the file's vertex list, else by the library's, said so;
// its mesh by number and name.
TEST_F(ImportTest, NamesTheVertexAndMeshTheUserCanFind) {
  const std::string square_with_bad_vertex_4 =
      "0 0 0\n1 0 0\n1 1 0\n0 1 0\n-inf 0 1\n";
  const std::string no_number = " has a coordinate that is no finite number";
  const struct {
    const char* file;
    std::string bytes;
    std::string reason;
  } cases[] = {
      {"f.ply",
       "ply\nformat ascii 1.0\nelement vertex 5\nproperty float x\n"
       "property float y\nproperty float z\nelement face 2\n"
       "property list uchar int vertex_indices\nend_header\n" +
           square_with_bad_vertex_4 + "3 0 1 2\n3 0 2 4\n",
       "vertex 4 (as the file numbers them, from 0) of mesh 0" + no_number},
      {"f.off",
       "OFF\n5 2 0\n" + square_with_bad_vertex_4 + "3 0 1 2\n3 0 2 4\n",
       "vertex 4 (as the file numbers them, from 0) of mesh 0" + no_number},
      // The library gives each corner a vertex: the file's fifth is its
      // sixth.
      {"f.obj",
       "o Lid\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv -inf 0 1\n"
       "f 1 2 3\nf 1 3 5\n",
       "vertex 5 (as the mesh library numbers them, not the file) of mesh 0 "
       "\"Lid\"" +
           no_number},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const ImportOutcome outcome = Import(c.file, c.bytes, AtScale(1));
    EXPECT_EQ(outcome.status, ImportOutcome::Status::kBadCoordinate);
    EXPECT_EQ(outcome.reason, c.reason);
  }
}

TEST_F(ImportTest, ScalesRoundsHalvesAwayFromZeroAndOffsets) {
  // The x extent, 6.5, is the largest.
  const std::string ply = mesh_test::AsciiPly(
      {{0.5, -0.5, 1.5}, {-2.5, 2.25, 0}, {4, 0, -1.25}}, {{0, 1, 2}});
  ImportOptions fit13;
  fit13.fit_extent = 13;
  ImportOptions offset = AtScale(1);
  offset.offset = {10, -20, 2147483645};
  const std::vector<ScaleCase> cases = {
      {"scale 1", AtScale(1), {{1, -1, 2}, {-3, 2, 0}, {4, 0, -1}}, 1},
      {"scale 2", AtScale(2), {{1, -1, 3}, {-5, 5, 0}, {8, 0, -3}}, 2},
      {"scale 0.25", AtScale(0.25), {{0, 0, 0}, {-1, 1, 0}, {1, 0, 0}}, 0.25},
      {"fit to 13", fit13, {{1, -1, 3}, {-5, 5, 0}, {8, 0, -3}}, 2},
      {"fit to 10000 by default",
       {},
       {{769, -769, 2308}, {-3846, 3462, 0}, {6154, 0, -1923}},
       10000 / 6.5},
      {"offset",
       offset,
       {{11, -21, 2147483647}, {7, -18, 2147483645}, {14, -20, 2147483644}},
       1},
  };
  for (const ScaleCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ImportOutcome outcome = Import("s.ply", ply, c.options);
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported)
        << outcome.reason;
    EXPECT_EQ(object_.points, c.points);
    EXPECT_EQ(outcome.scale, c.scale);
  }
}

TEST_F(ImportTest, MovesIntoEachOctantTouchingItsPlanes) {
  const std::string stl =
      mesh_test::AsciiStl({{-3, 4, 5}, {7, -2, 9}, {1, 1, -6}}, {{0, 1, 2}});
  for (const mirror::OctantCode code : mirror::kOctantCodes) {
    SCOPED_TRACE(static_cast<int>(code));
    ImportOptions options = AtScale(1);
    options.move_into = mirror::kOctantTable.FindOctantSides(code);
    const ImportOutcome outcome = Import("m.stl", stl, options);
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported)
        << outcome.reason;
    ASSERT_EQ(object_.points.size(), 3u);
    const int sides[3] = {options.move_into->x, options.move_into->y,
                          options.move_into->z};
    // Extents 10, 6 and 15, the shape unchanged.
    const int extents[3] = {10, 6, 15};
    for (int axis = 0; axis < 3; ++axis) {
      int32_t low = object_.points[0][axis];
      int32_t high = low;
      for (const TableEntry& point : object_.points) {
        low = std::min(low, point[axis]);
        high = std::max(high, point[axis]);
      }
      EXPECT_EQ(sides[axis] == 1 ? high : low, 0) << "axis " << axis;
      EXPECT_EQ(high - low, extents[axis]) << "axis " << axis;
    }
  }
}

struct TriangleCase {
  const char* name;
  ImportOptions options;
  std::vector<TableEntry> triangles;
  std::vector<uint8_t> fourth_values;
};

TEST_F(ImportTest, SetsFourthValuesAndWinding) {
  // The reader puts its default material first: red is 1, blue 2. Each
  // material is a mesh of its own, so the corners the two triangles share
  // are met twice and joined by place.
  WriteFile(dir_.File("c.mtl"), "newmtl red\nKd 1 0 0\nnewmtl blue\n");
  const std::string obj =
      "mtllib c.mtl\nv 0 0 0\nv 10 0 0\nv 10 10 0\nv 0 10 0\n"
      "usemtl red\nf 1 2 3\nusemtl blue\nf 1 3 4\n";
  ImportOptions seven = AtScale(1);
  seven.fourth_value = 7;
  ImportOptions material = AtScale(1);
  material.fourth_from_material = true;
  ImportOptions flip = AtScale(1);
  flip.flip = true;
  const std::vector<TriangleCase> cases = {
      {"default", AtScale(1), {{0, 1, 2}, {0, 2, 3}}, {0, 0}},
      {"fixed value", seven, {{0, 1, 2}, {0, 2, 3}}, {7, 7}},
      {"material", material, {{0, 1, 2}, {0, 2, 3}}, {1, 2}},
      {"flipped", flip, {{1, 0, 2}, {2, 0, 3}}, {0, 0}},
  };
  for (const TriangleCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ImportOutcome outcome = Import("c.obj", obj, c.options);
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported)
        << outcome.reason;
    EXPECT_EQ(object_.points, kSquarePoints);
    EXPECT_EQ(object_.triangles, c.triangles);
    EXPECT_EQ(object_.fourth_values, c.fourth_values);
    EXPECT_EQ(outcome.meshes, 2);
  }
}

struct LargeSceneCase {
  const char* name;
  // Grid points given other coordinates.
  std::map<int, Vertex> changed;
  // Empty for an import that succeeds.
  std::string reason;
};

// A scene this large is joined in two halves at once: the points must come
// out numbered as one pass over the vertices numbers them, and a refusal
// must name the first vertex that has no point.
TEST_F(ImportTest, JoinsALargeSceneAsOnePassWould) {
  // Two triangles a cell over a 120 x 200 grid, in a binary STL file: most
  // grid points are corners in both halves of its 142,086 vertices.
  constexpr int kColumns = 120;
  constexpr int kRows = 200;
  constexpr int kLast = kColumns * kRows - 1;
  std::vector<Corners> corners;
  for (int row = 0; row + 1 < kRows; ++row) {
    for (int column = 0; column + 1 < kColumns; ++column) {
      const int at = row * kColumns + column;
      corners.push_back({at, at + 1, at + kColumns + 1});
      corners.push_back({at, at + kColumns + 1, at + kColumns});
    }
  }
  // Grid point kLast is first met as the third corner of the last triangle
  // but one.
  const std::string last_vertex =
      "vertex " + std::to_string(3 * corners.size() - 4) + kLibraryNumbers;
  const std::vector<LargeSceneCase> cases = {
      {"all points in range", {}, ""},
      {"no number in the second half",
       {{kLast, {NAN, 0, 0}}},
       last_vertex + " has a coordinate that is no finite number"},
      {"too far in the second half",
       {{kLast, {3e9, 0, 0}}},
       last_vertex + " comes to x = 3000000000, outside the 32-bit range of "
                     "OBT coordinates"},
      {"no number in both halves",
       {{0, {0, INFINITY, 0}}, {kLast, {NAN, 0, 0}}},
       std::string("vertex 0") + kLibraryNumbers +
           " has a coordinate that is no finite number"},
  };
  for (const LargeSceneCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Vertex> vertices;
    for (int at = 0; at <= kLast; ++at) {
      const auto changed = c.changed.find(at);
      vertices.push_back(
          changed != c.changed.end()
              ? changed->second
              : Vertex{at % kColumns * 3.0, at / kColumns * 5.0, at % 7 * 1.0});
    }
    const ImportOutcome outcome = Import(
        "large.stl", mesh_test::BinaryStl(vertices, corners), AtScale(1));
    if (!c.reason.empty()) {
      EXPECT_EQ(outcome.status, ImportOutcome::Status::kBadCoordinate);
      EXPECT_EQ(outcome.reason, c.reason);
      continue;
    }
    ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported)
        << outcome.reason;
    std::map<int, int32_t> numbers;
    std::vector<TableEntry> points;
    std::vector<TableEntry> triangles;
    for (const Corners& triangle : corners) {
      TableEntry numbered;
      for (int k = 0; k < 3; ++k) {
        const auto [place, added] = numbers.try_emplace(
            triangle[k], static_cast<int32_t>(points.size()));
        if (added) {
          const Vertex& at = vertices[triangle[k]];
          points.push_back({static_cast<int32_t>(at[0]),
                            static_cast<int32_t>(at[1]),
                            static_cast<int32_t>(at[2])});
        }
        numbered[k] = place->second;
      }
      triangles.push_back(numbered);
    }
    EXPECT_EQ(object_.points, points);
    EXPECT_EQ(object_.triangles, triangles);
  }
}

// A mesh that repeats every corner is joined with the help of a table of
// the vertices met lately, which must forget them between instances: the
// same vertex lies elsewhere under another's transform.
TEST_F(ImportTest, JoinsTheInstancesOfARepeatingMeshApart) {
  // Two triangles a cell over a 100 x 100 grid, each corner a vertex of
  // its own: 60,000 of them, 10,201 points an instance; three instances,
  // so that each half of the scene holds two.
  constexpr int kCells = 100;
  constexpr int kInstances = 3;
  std::vector<Vertex> vertices;
  std::vector<Corners> corners;
  for (int row = 0; row < kCells; ++row) {
    for (int column = 0; column < kCells; ++column) {
      const double x = column;
      const double y = row;
      for (const Vertex& at :
           {Vertex{x, y, 0}, Vertex{x + 1, y, 0}, Vertex{x + 1, y + 1, 0},
            Vertex{x, y, 0}, Vertex{x + 1, y + 1, 0}, Vertex{x, y + 1, 0}}) {
        vertices.push_back(at);
      }
      const int first = static_cast<int>(corners.size()) * 3;
      corners.push_back({first, first + 1, first + 2});
      corners.push_back({first + 3, first + 4, first + 5});
    }
  }
  const ImportOutcome outcome =
      Import("grid.gltf",
             mesh_test::Gltf(
                 vertices, corners,
                 R"([{"mesh": 0}, {"mesh": 0, "translation": [1000, 0, 0]},)"
                 R"( {"mesh": 0, "translation": [2000, 0, 0]}])",
                 "[0, 1, 2]"),
             AtScale(1));
  ASSERT_EQ(outcome.status, ImportOutcome::Status::kImported) << outcome.reason;
  EXPECT_EQ(object_.points.size(),
            std::size_t{kInstances} * (kCells + 1) * (kCells + 1));
  const std::size_t each = corners.size();
  ASSERT_EQ(object_.triangles.size(), kInstances * each);
  for (int instance = 1; instance < kInstances; ++instance) {
    SCOPED_TRACE(instance);
    std::vector<TableEntry> moved;
    std::vector<TableEntry> placed;
    for (std::size_t t = 0; t < each; ++t) {
      for (int k = 0; k < 3; ++k) {
        TableEntry at = object_.points[object_.triangles[t][k]];
        at[0] += 1000 * instance;
        moved.push_back(at);
        placed.push_back(
            object_.points[object_.triangles[instance * each + t][k]]);
      }
    }
    EXPECT_EQ(placed, moved);
  }
}

}  // namespace
