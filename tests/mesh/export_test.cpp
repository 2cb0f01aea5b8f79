#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "mesh/export_formats.h"
#include "mesh/mesh_export.h"
#include "mesh/mesh_import.h"
#include "mesh_files.h"
#include "support/temp_dir.h"
#include "work/background.h"
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

ExportOutcome Export(obt::ObtObject object, const std::string& path,
                     const mesh::ExportFormat& format, double scale = 1) {
  work::NullFeedback feedback;
  return mesh::ExportObject(std::move(object), "/nonexistent/source.obt", path,
                            format, scale, {feedback, 0, 100});
}

// The reading end of a FIFO, open before the export opens its writing end.
// A small export fits the pipe's buffer whole, so its bytes can be read
// once it is done, without a thread.
class FifoReader {
 public:
  explicit FifoReader(const std::string& path)
      : fd_(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
  ~FifoReader() {
    if (fd_ >= 0) ::close(fd_);
  }
  FifoReader(const FifoReader&) = delete;
  FifoReader& operator=(const FifoReader&) = delete;

  bool IsOpen() const { return fd_ >= 0; }

  std::string Bytes() const {
    std::string bytes;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(fd_, buffer, sizeof buffer)) > 0) {
      bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return bytes;
  }

 private:
  int fd_;
};

// Every format offered comes back from an import as the same triangles
// over the same coordinates, and writes onto a FIFO the bytes it writes
// into a file (exporters that seek back to patch a header included).
TEST(ExportTest, EveryOfferedFormatRoundTrips) {
  const std::map<std::string, Fourth> fourth = {
      {"collada", Fourth::kKept},    {"obj", Fourth::kKept},
      {"objnomtl", Fourth::kLost},   {"stl", Fourth::kLost},
      {"stlb", Fourth::kLost},       {"ply", Fourth::kLost},
      {"plyb", Fourth::kLost},       {"gltf2", Fourth::kRenumbered},
      {"glb2", Fourth::kRenumbered}, {"fbxa", Fourth::kRenumbered},
  };
  std::set<std::string> offered;
  work::NullFeedback feedback;
  for (const mesh::ExportFormat& format : mesh::ExportFormats()) {
    SCOPED_TRACE(format.id);
    offered.insert(format.id);
    ASSERT_TRUE(fourth.contains(format.id));
    const TempDir dir;
    const TempDir fifo_dir;
    const std::string name = "r." + format.extension;
    const ExportOutcome exported =
        Export(Tetrahedron(), dir.File(name), format);
    ASSERT_EQ(exported.status, ExportOutcome::Status::kExported)
        << exported.reason;
    ASSERT_FALSE(exported.files.empty());
    EXPECT_EQ(exported.files.front(), (mesh::WrittenFile{dir.File(name)}));

    ASSERT_EQ(::mkfifo(fifo_dir.File(name).c_str(), 0600), 0);
    const FifoReader fifo(fifo_dir.File(name));
    ASSERT_TRUE(fifo.IsOpen());
    EXPECT_EQ(Export(Tetrahedron(), fifo_dir.File(name), format).status,
              ExportOutcome::Status::kExported);
    EXPECT_EQ(fifo.Bytes(), testing_support::ReadFile(dir.File(name)));

    mesh::ImportOptions options;
    options.scale = 1;
    options.fourth_from_material = true;
    obt::ObtObject back;
    work::Background release;
    const mesh::ImportOutcome imported =
        mesh::ImportMesh(dir.File(name), options, feedback, back, release);
    ASSERT_EQ(imported.status, mesh::ImportOutcome::Status::kImported)
        << imported.reason;
    obt::ObtObject expected = Tetrahedron();
    const Fourth kept = fourth.at(format.id);
    if (kept == Fourth::kRenumbered) expected.fourth_values = {0, 2, 1, 2};
    if (kept == Fourth::kLost) expected.fourth_values.assign(4, 0);
    EXPECT_EQ(PlacedTriangles(back), PlacedTriangles(expected));
    EXPECT_EQ(back.points.size(), 4u);
  }
  EXPECT_EQ(offered.size(), fourth.size());
}

// A coordinate that single-precision floats cannot carry would come back
// as another: refused, with its line.
TEST(ExportTest, RefusesCoordinatesThatWouldComeBackOtherwise) {
  const std::string bound =
      ": the format holds single-precision floats, which are exact for whole "
      "numbers up to 2^24 = 16777216 in size";
  const struct {
    int32_t z;
    double scale;
    std::string reason;
  } cases[] = {
      {16777216, 1, ""},
      {-2147483520, 1, ""},
      {16777217, 1, "line 7: z = 16777217 would come back as 16777216" + bound},
      {2147483647, 1,
       "line 7: z = 2147483647 would come back as 2147483648" + bound},
      {0, 1e-38,
       "line 5: x = 16777216 would not come back: the format holds "
       "single-precision floats (the coordinate divided by the scale), which "
       "are exact for whole numbers up to 2^24 = 16777216 in size"},
      {33554430, 2, ""},
  };
  const std::optional<mesh::ExportFormat> stl = mesh::FindExportFormat("stlb");
  ASSERT_TRUE(stl);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.z);
    const TempDir dir;
    obt::ObtObject object = Tetrahedron();
    object.points[3][2] = c.z;
    for (int64_t point = 0; point < 4; ++point) {
      object.point_lines.Add(point, point + 4);
    }
    const ExportOutcome outcome =
        Export(std::move(object), dir.File("r.stl"), *stl, c.scale);
    EXPECT_EQ(outcome.reason, c.reason);
    EXPECT_EQ(outcome.status, c.reason.empty()
                                  ? ExportOutcome::Status::kExported
                                  : ExportOutcome::Status::kRefused);
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
