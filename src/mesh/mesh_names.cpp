#include "mesh/mesh_names.h"

#include <assimp/mesh.h>

#include <algorithm>
#include <string_view>

#include "mesh/file_extension.h"

namespace mesh {
namespace {

// Long enough for any name a modeller gives; a file's made-up one cannot
// flood the terminal.
constexpr std::size_t kLongestName = 64;
// What the OBJ reader calls a mesh the file gives no name, which the user
// would look for in vain.
constexpr std::string_view kMadeUpName = "defaultobject";

}  // namespace

VertexNumbers VertexNumbersOf(const std::string& path) {
  const std::string extension = LowerExtension(path);
  return extension == "ply" || extension == "off" ? VertexNumbers::kFile
                                                  : VertexNumbers::kLibrary;
}

std::string MeshName(const aiMesh& mesh, unsigned index) {
  std::string name = "mesh " + std::to_string(index);
  const std::string_view given(
      mesh.mName.data, std::min<std::size_t>(mesh.mName.length, MAXLEN - 1));
  if (given.empty() || given == kMadeUpName) return name;
  name += " \"";
  // The texts an import hands back have their control characters made
  // harmless on the way; quotes are the message's own.
  for (const char c : given.substr(0, kLongestName)) {
    name += c == '"' ? '\'' : c;
  }
  return name + (given.size() > kLongestName ? "...\"" : "\"");
}

std::string VertexName(const aiMesh& mesh, unsigned index, unsigned vertex,
                       VertexNumbers numbers) {
  return "vertex " + std::to_string(vertex) +
         (numbers == VertexNumbers::kFile
              ? " (as the file numbers them, from 0) of "
              : " (as the mesh library numbers them, not the file) of ") +
         MeshName(mesh, index);
}

std::string FaceName(const aiMesh& mesh, unsigned index, unsigned face) {
  return "face " + std::to_string(face) + " of " + MeshName(mesh, index);
}

}  // namespace mesh
