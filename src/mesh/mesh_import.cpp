#include "mesh/mesh_import.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <sys/stat.h>

#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>
#include <cerrno>
#include <cstring>
#include <exception>
#include <memory>
#include <utility>

#include "mesh/gauge_stretch.h"
#include "mesh/scene_to_object.h"

namespace mesh {
namespace {

// The library reports reading and its post-processing as 0 to 1.
class ReadingProgress final : public Assimp::ProgressHandler {
 public:
  explicit ReadingProgress(const GaugeStretch& stretch) : stretch_(stretch) {}

  bool Update(float percentage) override {
    if (percentage >= 0) stretch_.Report(percentage);
    return true;
  }

 private:
  GaugeStretch stretch_;
};

ImportOutcome NotRead(std::string reason) {
  ImportOutcome outcome;
  outcome.status = ImportOutcome::Status::kNotRead;
  outcome.reason = std::move(reason);
  return outcome;
}

}  // namespace

ImportOutcome ReadScene(
    Assimp::Importer& importer, const std::string& path,
    const ImportOptions& options, work::Feedback& feedback,
    obt::ObtObject& object,
    const std::function<void(std::size_t, std::size_t)>& sized) {
  feedback.SetGaugeMaximum(100);
  feedback.SetGaugeProgress(0);
  // The importer owns its progress handler and deletes it.
  importer.SetProgressHandler(
      new ReadingProgress(GaugeStretch(feedback, 0, 60)));
  // The check of the library's data structure runs first, before the
  // triangulation, which would otherwise follow a face's corners into
  // vertices the mesh does not have. Only triangulation then: joining
  // identical vertices is ours, on the rounded integer points rather than
  // on single-precision floats.
  const aiScene* scene = importer.ReadFile(
      path, aiProcess_ValidateDataStructure | aiProcess_Triangulate);
  if (scene == nullptr) return NotRead(importer.GetErrorString());
  return ConvertScene(*scene, options, GaugeStretch(feedback, 60, 100), object,
                      sized, VertexNumbersOf(path));
}

ImportOutcome ImportMesh(const std::string& path, const ImportOptions& options,
                         work::Feedback& feedback, obt::ObtObject& object,
                         work::Background& release) {
  // A device or a FIFO could feed the library for ever; a mesh is a file.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return NotRead(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return NotRead("not a regular file");

  try {
    auto importer = std::make_unique<Assimp::Importer>();
    ImportOutcome outcome =
        ReadScene(*importer, path, options, feedback, object);
    // Without a thread to be had, the importer goes with the work that
    // could not start.
    release.Start(
        [importer = std::move(importer)]() mutable { importer.reset(); });
    return outcome;
  } catch (const std::exception& error) {
    // Out of memory, or an importer that lets an error of its own through.
    return NotRead(error.what());
  }
}

}  // namespace mesh
