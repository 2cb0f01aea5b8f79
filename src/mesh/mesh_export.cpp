#include "mesh/mesh_export.h"

#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Exporter.hpp>
#include <assimp/ProgressHandler.hpp>
#include <cmath>
#include <exception>
#include <limits>

#include "mesh/export_scene.h"
#include "mesh/target_io_system.h"

namespace mesh {
namespace {

using Status = ExportOutcome::Status;

class WritingProgress final : public Assimp::ProgressHandler {
 public:
  explicit WritingProgress(const GaugeStretch& stretch) : stretch_(stretch) {}

  bool Update(float) override { return true; }
  // The scene is built by then: writing is the rest of the stretch.
  void UpdateFileWrite(int step, int steps) override {
    if (steps > 0) stretch_.Report(0.1 + 0.9 * step / steps);
  }

 private:
  GaugeStretch stretch_;
};

ExportOutcome Refused(std::string reason) {
  ExportOutcome outcome;
  outcome.status = Status::kRefused;
  outcome.reason = std::move(reason);
  return outcome;
}

constexpr int32_t kExactFloat = 1 << 24;
constexpr char kAxes[] = "xyz";

// What an import with the same scale makes of `coordinate` once it has
// been divided by `scale` into a single-precision float, as the formats
// hold it: the nearest integer, halves away from zero.
double ImportedAgain(int32_t coordinate, double scale) {
  const double divided = coordinate / scale;
  if (std::fabs(divided) > std::numeric_limits<float>::max()) {
    return std::numeric_limits<double>::infinity();
  }
  const float stored = static_cast<float>(divided);
  return std::round(static_cast<double>(stored) * scale);
}

// Why the object cannot become a mesh; empty when it can.
std::string CheckObject(const obt::ObtObject& object, double scale) {
  if (object.points_missing_from >= 0) {
    return "the file holds " + std::to_string(object.points_missing_from) +
           " whole points of the " + std::to_string(object.point_count) +
           " that line " + std::to_string(object.point_count_line) +
           " announces";
  }
  if (object.triangles_missing_from >= 0) {
    return "the file holds " + std::to_string(object.triangles_missing_from) +
           " whole triangles of the " + std::to_string(object.triangle_count) +
           " that line " + std::to_string(object.triangle_count_line) +
           " announces";
  }
  if (object.triangles.empty()) return "the object holds no triangle";
  const int64_t points = static_cast<int64_t>(object.points.size());
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    for (const int32_t corner : object.triangles[t]) {
      if (corner < 0 || corner >= points) {
        return "line " +
               std::to_string(
                   object.triangle_lines.LineOf(static_cast<int64_t>(t))) +
               ": triangle " + std::to_string(t) + " names point " +
               std::to_string(corner) + ", but the object has " +
               std::to_string(points) + (points == 1 ? " point" : " points");
      }
    }
  }
  for (std::size_t p = 0; p < object.points.size(); ++p) {
    for (int axis = 0; axis < 3; ++axis) {
      const int32_t coordinate = object.points[p][axis];
      // Every whole number up to 2^24 in size is a float.
      if (scale == 1 && coordinate >= -kExactFloat && coordinate <= kExactFloat)
        continue;
      const double back = ImportedAgain(coordinate, scale);
      if (back == coordinate) continue;
      return "line " +
             std::to_string(
                 object.point_lines.LineOf(static_cast<int64_t>(p))) +
             ": " + kAxes[axis] + " = " + std::to_string(coordinate) +
             (std::isfinite(back) && std::fabs(back) < 1e18
                  ? " would come back as " +
                        std::to_string(static_cast<int64_t>(back))
                  : " would not come back") +
             ": the format holds single-precision floats" +
             (scale == 1 ? "" : " (the coordinate divided by the scale)") +
             ", which are exact for whole numbers up to 2^24 = 16777216 in "
             "size";
    }
  }
  return {};
}

}  // namespace

ExportOutcome ExportObject(obt::ObtObject&& object, const std::string& source,
                           const std::string& path, const ExportFormat& format,
                           double scale, const GaugeStretch& progress) {
  if (std::string reason = CheckObject(object, scale); !reason.empty()) {
    return Refused(std::move(reason));
  }
  try {
    std::unique_ptr<aiScene> scene =
        BuildExportScene(object, scale, format.keeps_materials);
    // The exporter copies the scene; the object's memory is better spent
    // on that.
    object = obt::ObtObject{};
    progress.Report(0.1);

    Assimp::Exporter exporter;
    // The exporter owns both handlers and deletes them.
    auto* files = new TargetIoSystem(source, path);
    exporter.SetIOHandler(files);
    exporter.SetProgressHandler(new WritingProgress(progress));
    const aiReturn result =
        exporter.Export(scene.get(), format.id.c_str(), path.c_str());
    scene.reset();

    ExportOutcome outcome;
    if (files->failure().kind != WriteFailure::Kind::kNone) {
      files->AbandonAll();
      outcome.status = Status::kWriteFailed;
    } else if (result != AI_SUCCESS) {
      files->AbandonAll();
      outcome.status = Status::kNotExported;
      outcome.reason = exporter.GetErrorString();
    } else if (!files->CommitAll()) {
      outcome.status = Status::kWriteFailed;
    }
    outcome.failure = files->failure();
    if (outcome.status == Status::kExported) outcome.files = files->files();
    progress.Report(1);
    return outcome;
  } catch (const std::exception& error) {
    // Out of memory, or an exporter that lets an error of its own through;
    // the files it opened go with the exporter.
    ExportOutcome outcome;
    outcome.status = Status::kNotExported;
    outcome.reason = error.what();
    return outcome;
  }
}

}  // namespace mesh
