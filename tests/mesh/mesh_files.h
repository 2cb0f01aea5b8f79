#ifndef OBTMIRROR_TESTS_MESH_MESH_FILES_H_
#define OBTMIRROR_TESTS_MESH_MESH_FILES_H_

#include <array>
#include <string>
#include <vector>

#include "obt/obt_object.h"

namespace mesh_test {

using Vertex = std::array<double, 3>;
using Corners = std::array<int, 3>;

// Mesh files as another program would write them: every triangle of
// `corners` over `vertices`.
std::string AsciiStl(const std::vector<Vertex>& vertices,
                     const std::vector<Corners>& corners);
std::string BinaryStl(const std::vector<Vertex>& vertices,
                      const std::vector<Corners>& corners);
std::string AsciiPly(const std::vector<Vertex>& vertices,
                     const std::vector<Corners>& corners);
// A glTF 2.0 file with its buffer inline. The mesh is placed by every node
// in `nodes_json` (the text of the "nodes" array); the scene's roots are
// `roots_json`.
std::string Gltf(const std::vector<Vertex>& vertices,
                 const std::vector<Corners>& corners,
                 const std::string& nodes_json, const std::string& roots_json);
// The buffer of such a file, and a file of one node whose buffer is the
// file at `uri`.
std::string GltfBuffer(const std::vector<Vertex>& vertices,
                       const std::vector<Corners>& corners);
std::string GltfWithBuffer(const std::vector<Vertex>& vertices,
                           const std::vector<Corners>& corners,
                           const std::string& uri);

// A triangle with its corners' coordinates and FourthValue, so that objects
// can be compared whatever their point numbering.
struct PlacedTriangle {
  std::array<work::TableEntry, 3> corners;
  int fourth;

  auto operator<=>(const PlacedTriangle&) const = default;
};

// The triangles of `object`, sorted.
std::vector<PlacedTriangle> PlacedTriangles(const obt::ObtObject& object);

}  // namespace mesh_test

#endif  // OBTMIRROR_TESTS_MESH_MESH_FILES_H_
