#ifndef OBTMIRROR_MESH_MESH_MODULE_H_
#define OBTMIRROR_MESH_MESH_MODULE_H_

#include "mesh/export_formats.h"
#include "mesh/mesh_export.h"
#include "mesh/reader_process.h"

namespace mesh {

// The asset library takes longer to load than most runs of the command
// line last: the mesh formats live in a library of their own, which the
// command line loads only for an import or an export.
inline constexpr char kMeshModuleFile[] = "obtmirror-mesh.so";
inline constexpr char kMeshModuleSymbol[] = "obtmirror_mesh_module";

// The library's functions, those of the headers above.
struct MeshModule {
  decltype(&ImportMeshApart) import_mesh;
  decltype(&ExportFormats) export_formats;
  decltype(&FindExportFormat) find_export_format;
  decltype(&FormatForFileName) format_for_file_name;
  decltype(&ExportObject) export_object;
};

// The type of kMeshModuleSymbol.
using MeshModuleFunction = const MeshModule* (*)();

}  // namespace mesh

#endif  // OBTMIRROR_MESH_MESH_MODULE_H_
