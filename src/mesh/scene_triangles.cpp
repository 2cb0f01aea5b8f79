#include "mesh/scene_triangles.h"

#include <assimp/mesh.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "geometry/exact_arithmetic.h"
#include "work/work_tables.h"

namespace mesh {
namespace {

// Whether the triangle's corners lie at one point or on one line, exactly:
// rounding to integers can make them so, even where the file's were not.
bool Degenerate(const work::TableEntry& corners,
                const std::vector<work::TableEntry>& points) {
  if (corners[0] == corners[1] || corners[1] == corners[2] ||
      corners[2] == corners[0]) {
    return true;
  }
  const auto at = [&points](int32_t point) {
    const work::TableEntry& p = points[static_cast<std::size_t>(point)];
    return geometry::Vector3{p[0], p[1], p[2]};
  };
  const geometry::Vector3 a = at(corners[0]);
  const geometry::WideVector3 normal =
      geometry::Cross(geometry::Subtract(at(corners[1]), a),
                      geometry::Subtract(at(corners[2]), a));
  return normal[0] == 0 && normal[1] == 0 && normal[2] == 0;
}

}  // namespace

int64_t MakeTriangles(std::span<const MeshInstance> instances,
                      int64_t triangles, const ImportOptions& options,
                      const uint32_t* numbers, obt::ObtObject& object) {
  const auto total = static_cast<std::size_t>(triangles);
  object.triangles.reserve(total);
  object.fourth_values.reserve(total);
  int64_t degenerate = 0;
  std::size_t first = 0;
  for (const MeshInstance& instance : instances) {
    const aiMesh& mesh = *instance.mesh;
    // An instance placed by a mirroring transform keeps its faces turned
    // the way the file turns them only with its corners reversed.
    const bool reverse = options.flip != instance.transform.Mirrors();
    const uint8_t fourth = options.fourth_from_material
                               ? static_cast<uint8_t>(mesh.mMaterialIndex % 256)
                               : options.fourth_value;
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const aiFace& face = mesh.mFaces[f];
      if (face.mNumIndices != 3) continue;
      work::TableEntry corners;
      for (int c = 0; c < 3; ++c) {
        corners[c] = static_cast<int32_t>(numbers[first + face.mIndices[c]]);
      }
      if (reverse) std::swap(corners[0], corners[1]);
      if (Degenerate(corners, object.points)) {
        ++degenerate;
        continue;
      }
      object.triangles.push_back(corners);
      object.fourth_values.push_back(fourth);
    }
    first += mesh.mNumVertices;
  }
  return degenerate;
}

}  // namespace mesh
