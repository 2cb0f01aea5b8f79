#include "mesh/export_formats.h"

#include <algorithm>
#include <array>
#include <assimp/Exporter.hpp>
#include <cctype>
#include <utility>

namespace mesh {
namespace {

// 3mf writes its archive straight to the named file; pbrt fails on a scene
// that holds nothing but meshes.
constexpr std::array<std::string_view, 2> kUnusable = {"3mf", "pbrt"};

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

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return lower;
}

}  // namespace

std::vector<ExportFormat> ExportFormats() {
  const Assimp::Exporter exporter;
  std::vector<ExportFormat> formats;
  for (std::size_t i = 0; i < exporter.GetExportFormatCount(); ++i) {
    const aiExportFormatDesc* description =
        exporter.GetExportFormatDescription(i);
    if (Holds(kUnusable, description->id)) continue;
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
  const std::size_t slash = name.rfind('/');
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos ||
      (slash != std::string_view::npos && dot < slash)) {
    return std::nullopt;
  }
  const std::string extension = Lower(name.substr(dot + 1));
  for (const auto& [shared, preferred] : kPreferred) {
    if (extension == shared) return FindExportFormat(preferred);
  }
  for (ExportFormat& format : ExportFormats()) {
    if (format.extension == extension) return std::move(format);
  }
  return std::nullopt;
}

}  // namespace mesh
