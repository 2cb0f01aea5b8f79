#include "cli/mesh_library.h"

#include "cli/own_library.h"

namespace cli {

const mesh::MeshModule* MeshLibrary(std::string& error) {
  static std::string load_error;
  static const mesh::MeshModule* const library = [] {
    const auto entry =
        reinterpret_cast<mesh::MeshModuleFunction>(FindInOwnLibrary(
            mesh::kMeshModuleFile, mesh::kMeshModuleSymbol, load_error));
    return entry == nullptr ? nullptr : entry();
  }();
  if (library == nullptr) error = "cannot load the mesh formats: " + load_error;
  return library;
}

}  // namespace cli
