#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "mesh/export_formats.h"
#include "mesh/mesh_export.h"
#include "mesh/mesh_import.h"
#include "mesh_files.h"
#include "support/temp_dir.h"
#include "work/feedback.h"

namespace {

using mesh::ExportOutcome;
using mesh_test::PlacedTriangles;
using testing_support::TempDir;

// Distinct points, all used, out to the last integers that single
// precision holds exactly; FourthValues 0, 2 and 12.
obt::ObtObject Tetrahedron() {
  obt::ObtObject object;
  object.header = {"QZ_OBT", "2.000000"};
  object.points = {
      {0, 0, 0}, {16777216, -3, 1}, {-7, -16777216, 2}, {5, 9, 16777215}};
  object.triangles = {{0, 2, 1}, {0, 1, 3}, {1, 2, 3}, {2, 0, 3}};
  object.fourth_values = {0, 12, 2, 12};
  object.point_count = 4;
  object.triangle_count = 4;
  return object;
}

// What becomes of the FourthValues: kept as they are, numbered from 0 in
// ascending order, or all 0.
enum class Fourth { kKept, kRenumbered, kLost };

struct RoundTripCase {
  const char* format;
  const char* file;
  Fourth fourth;
};

TEST(ExportTest, RoundTripsInEveryFormat) {
  const std::vector<RoundTripCase> cases = {
      {"obj", "r.obj", Fourth::kKept},
      {"objnomtl", "r.obj", Fourth::kLost},
      {"ply", "r.ply", Fourth::kLost},
      {"plyb", "r.ply", Fourth::kLost},
      {"stl", "r.stl", Fourth::kLost},
      {"stlb", "r.stl", Fourth::kLost},
      {"gltf2", "r.gltf", Fourth::kRenumbered},
      {"glb2", "r.glb", Fourth::kRenumbered},
      {"collada", "r.dae", Fourth::kKept},
  };
  work::NullFeedback feedback;
  const mesh::GaugeStretch progress(feedback, 0, 100);
  for (const RoundTripCase& c : cases) {
    SCOPED_TRACE(c.format);
    const TempDir dir;
    const std::optional<mesh::ExportFormat> format =
        mesh::FindExportFormat(c.format);
    ASSERT_TRUE(format);
    const ExportOutcome exported =
        mesh::ExportObject(Tetrahedron(), dir.File("source.obt"),
                           dir.File(c.file), *format, 1, progress);
    ASSERT_EQ(exported.status, ExportOutcome::Status::kExported)
        << exported.reason;
    ASSERT_FALSE(exported.files.empty());
    EXPECT_EQ(exported.files.front(), dir.File(c.file));

    mesh::ImportOptions options;
    options.scale = 1;
    options.fourth_from_material = true;
    obt::ObtObject back;
    std::jthread release;
    const mesh::ImportOutcome imported =
        mesh::ImportMesh(dir.File(c.file), options, feedback, back, release);
    ASSERT_EQ(imported.status, mesh::ImportOutcome::Status::kImported)
        << imported.reason;
    obt::ObtObject expected = Tetrahedron();
    if (c.fourth == Fourth::kRenumbered) expected.fourth_values = {0, 2, 1, 2};
    if (c.fourth == Fourth::kLost) expected.fourth_values.assign(4, 0);
    EXPECT_EQ(PlacedTriangles(back), PlacedTriangles(expected));
    EXPECT_EQ(back.points.size(), 4u);
  }
}

TEST(ExportTest, ChoosesTheFormatByExtension) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"a.stl", "stlb"},   {"a.PLY", "plyb"}, {"dir.x/a.obj", "obj"},
      {"a.gltf", "gltf2"}, {"a.glb", "glb2"}, {"a.dae", "collada"},
      {"a.3mf", ""},       {"a.foo", ""},     {"a", ""},
      {"dir.ply/a", ""},
  };
  for (const auto& [name, id] : cases) {
    const std::optional<mesh::ExportFormat> format =
        mesh::FormatForFileName(name);
    EXPECT_EQ(format ? format->id : "", id) << name;
  }
}

}  // namespace
