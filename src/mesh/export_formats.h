#ifndef OBTMIRROR_MESH_EXPORT_FORMATS_H_
#define OBTMIRROR_MESH_EXPORT_FORMATS_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mesh {

// One of the library's exporters.
struct ExportFormat {
  std::string id;
  std::string description;
  // Without the dot, as the library names it.
  std::string extension;
  // Whether each mesh of the file keeps its material, so that FourthValues
  // can travel as material numbers.
  bool keeps_materials = true;
};

// The exporters an export may use, in the library's order: those whose
// files come back from an import as they went out.
std::vector<ExportFormat> ExportFormats();

std::optional<ExportFormat> FindExportFormat(std::string_view id);

// The format for a file name's extension, in any letter case: the first
// exporter that names it, but the binary one for .stl and .ply, which
// keeps coordinates exactly, is smaller and is written faster.
std::optional<ExportFormat> FormatForFileName(std::string_view name);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_EXPORT_FORMATS_H_
