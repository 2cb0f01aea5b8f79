#ifndef OBTMIRROR_MESH_MESH_NAMES_H_
#define OBTMIRROR_MESH_MESH_NAMES_H_

#include <string>

struct aiMesh;

namespace mesh {

// Whose numbers a message gives a vertex.
enum class VertexNumbers {
  // The mesh library's: most readers give every corner of a face a vertex
  // of its own, so these are not the file's.
  kLibrary,
  // The file's, from 0: the reader keeps its vertices as they stand.
  kFile,
};

// kFile for the formats whose reader keeps the file's vertex list (PLY,
// OFF), by the extension of `path`.
VertexNumbers VertexNumbersOf(const std::string& path);

// `mesh 2 "Wheel"` (without the name when it has none): what the user can
// find in the file or in the program that made it.
std::string MeshName(const aiMesh& mesh, unsigned index);

// `vertex 6 of mesh 2 "Wheel"`, saying whose number it is.
std::string VertexName(const aiMesh& mesh, unsigned index, unsigned vertex,
                       VertexNumbers numbers);

// `face 3 of mesh 2 "Wheel"`, as the library numbers the faces.
std::string FaceName(const aiMesh& mesh, unsigned index, unsigned face);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_MESH_NAMES_H_
