// The entry of the mesh formats' library: see mesh_module.h.

#include "mesh/mesh_module.h"

extern "C" __attribute__((visibility("default"))) const mesh::MeshModule*
obtmirror_mesh_module() {
  static constexpr mesh::MeshModule kModule = {
      &mesh::ImportMeshApart, &mesh::ExportFormats, &mesh::FindExportFormat,
      &mesh::FormatForFileName, &mesh::ExportObject};
  return &kModule;
}
