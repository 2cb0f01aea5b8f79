#include "mesh/export_formats.h"

#include <algorithm>
#include <array>
#include <assimp/Exporter.hpp>
#include <utility>

#include "mesh/file_extension.h"

namespace mesh {
namespace {

// The exporters whose files the import reads back as the same triangles
// over the same coordinates. Of the others, 3ds turns y and z into each
// other, glTF 1 (gltf, glb) comes back changed or not at all, binary fbx
// cannot be read back, x, x3d and assbin only with --any-format, stp,
// assxml and assjson not at all; 3mf writes its archive around the file
// interface, and pbrt fails on a scene of plain meshes.
constexpr std::array<std::string_view, 10> kRoundTrip = {
    "collada", "obj",  "objnomtl", "stl",  "stlb",
    "ply",     "plyb", "gltf2",    "glb2", "fbxa"};

// Formats without materials: the whole object goes out as one mesh.
constexpr std::array<std::string_view, 5> kWithoutMaterials = {
    "stl", "stlb", "ply", "plyb", "objnomtl"};

// Where several exporters share an extension, the one to take.
constexpr std::array<std::pair<std::string_view, std::string_view>, 2>
    kPreferred = {{{"stl", "stlb"}, {"ply", "plyb"}}};

template <std::size_t N>
bool Holds(const std::array<std::string_view, N>& list, std::string_view id) {
  return std::find(list.begin(), list.end(), id) != list.end();
}

}  // namespace

std::vector<ExportFormat> ExportFormats() {
  const Assimp::Exporter exporter;
  std::vector<ExportFormat> formats;
  for (std::size_t i = 0; i < exporter.GetExportFormatCount(); ++i) {
    const aiExportFormatDesc* description =
        exporter.GetExportFormatDescription(i);
    if (!Holds(kRoundTrip, description->id)) continue;
    formats.push_back({description->id, description->description,
                       description->fileExtension,
                       !Holds(kWithoutMaterials, description->id)});
  }
  return formats;
}

std::optional<ExportFormat> FindExportFormat(std::string_view id) {
  for (ExportFormat& format : ExportFormats()) {
    if (format.id == id) return std::move(format);
  }
  return std::nullopt;
}

std::optional<ExportFormat> FormatForFileName(std::string_view name) {
  const std::string extension = LowerExtension(name);
  if (extension.empty()) return std::nullopt;
  for (const auto& [shared, preferred] : kPreferred) {
    if (extension == shared) return FindExportFormat(preferred);
  }
  for (ExportFormat& format : ExportFormats()) {
    if (format.extension == extension) return std::move(format);
  }
  return std::nullopt;
}

}  // namespace mesh
