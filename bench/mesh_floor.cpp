// The floor that bench/mesh.sh measures import and export against: the
// asset library's own load of a mesh file, or its own save of the scene
// that export builds, and nothing else.
//
//   obtmirror-mesh-floor import MESH
//   obtmirror-mesh-floor dump SOURCE.obt RAW
//   obtmirror-mesh-floor export RAW FORMAT MESH
//
// "dump" writes the object in a raw binary form, untimed, so that "export"
// spends next to nothing on getting it back before the save.
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Exporter.hpp>
#include <assimp/Importer.hpp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "mesh/export_formats.h"
#include "mesh/export_scene.h"
#include "obt/obt_object.h"

namespace {

template <typename T>
bool Transfer(std::FILE* file, std::vector<T>& items, bool writing) {
  uint64_t count = items.size();
  if (writing ? std::fwrite(&count, sizeof count, 1, file) != 1
              : std::fread(&count, sizeof count, 1, file) != 1) {
    return false;
  }
  if (!writing) items.resize(count);
  return (writing ? std::fwrite(items.data(), sizeof(T), count, file)
                  : std::fread(items.data(), sizeof(T), count, file)) == count;
}

bool TransferObject(const char* path, obt::ObtObject& object, bool writing) {
  std::FILE* file = std::fopen(path, writing ? "wb" : "rb");
  if (file == nullptr) return false;
  const bool done = Transfer(file, object.points, writing) &&
                    Transfer(file, object.triangles, writing) &&
                    Transfer(file, object.fourth_values, writing);
  return std::fclose(file) == 0 && done;
}

int Fail(const std::string& what) {
  std::fprintf(stderr, "obtmirror-mesh-floor: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "import" && argc == 3) {
    Assimp::Importer importer;
    if (importer.ReadFile(argv[2], aiProcess_Triangulate) == nullptr) {
      return Fail(importer.GetErrorString());
    }
    return 0;
  }
  if (command == "dump" && argc == 4) {
    obt::ObtObject object;
    work::NullFeedback feedback;
    if (obt::ReadObtFile(argv[2], object, feedback).status !=
            obt::ObtReadOutcome::Status::kRead ||
        !TransferObject(argv[3], object, true)) {
      return Fail("cannot dump " + std::string(argv[2]));
    }
    return 0;
  }
  if (command == "export" && argc == 5) {
    obt::ObtObject object;
    const auto format = mesh::FindExportFormat(argv[3]);
    if (!format) return Fail("no format " + std::string(argv[3]));
    if (!TransferObject(argv[2], object, false)) {
      return Fail("cannot read " + std::string(argv[2]));
    }
    std::unique_ptr<aiScene> scene =
        mesh::BuildExportScene(object, 1, format->keeps_materials);
    object = obt::ObtObject{};
    Assimp::Exporter exporter;
    if (exporter.Export(scene.get(), format->id, argv[4]) != AI_SUCCESS) {
      return Fail(exporter.GetErrorString());
    }
    return 0;
  }
  return Fail(
      "usage: import MESH | dump SOURCE.obt RAW | export RAW FORMAT MESH");
}
