#include "mesh/scene_facts.h"

#include <assimp/scene.h>

#include <cstdint>
#include <string>
#include <vector>

#include "mesh/mesh_names.h"
#include "work/work_tables.h"

namespace mesh {
namespace {

using Status = ImportOutcome::Status;

// Why face f of the mesh is no point, line or triangle of the mesh's
// vertices, if it is none.
std::optional<Refusal> CheckFace(const aiMesh& mesh, unsigned mesh_index,
                                 unsigned f) {
  const aiFace& face = mesh.mFaces[f];
  if (face.mNumIndices == 0 || face.mNumIndices > 3 ||
      face.mIndices == nullptr) {
    return Refusal{Status::kNotRead, FaceName(mesh, mesh_index, f) + " has " +
                                         std::to_string(face.mNumIndices) +
                                         " corners after triangulation"};
  }
  for (unsigned c = 0; c < face.mNumIndices; ++c) {
    if (face.mIndices[c] >= mesh.mNumVertices) {
      return Refusal{Status::kNotRead, FaceName(mesh, mesh_index, f) +
                                           " names vertex " +
                                           std::to_string(face.mIndices[c]) +
                                           ", which the mesh lacks"};
    }
  }
  return std::nullopt;
}

// Checks every face of the mesh and counts what they hold into `facts`.
std::optional<Refusal> ExamineFaces(const aiMesh& mesh, unsigned mesh_index,
                                    MeshFacts& facts) {
  const unsigned vertices = mesh.mNumVertices;
  if ((vertices > 0 && mesh.mVertices == nullptr) ||
      (mesh.mNumFaces > 0 && mesh.mFaces == nullptr)) {
    return Refusal{Status::kNotRead,
                   MeshName(mesh, mesh_index) + " lacks its data"};
  }
  facts.used.assign(vertices, uint8_t{0});
  for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
    if (std::optional<Refusal> refusal = CheckFace(mesh, mesh_index, f)) {
      return refusal;
    }
    const aiFace& face = mesh.mFaces[f];
    if (face.mNumIndices == 1) {
      ++facts.points;
    } else if (face.mNumIndices == 2) {
      ++facts.lines;
    } else {
      ++facts.triangles;
      for (unsigned c = 0; c < 3; ++c) {
        uint8_t& used = facts.used[face.mIndices[c]];
        facts.used_count += used ^ 1;
        used = 1;
      }
    }
  }
  facts.corners_apart = int64_t{vertices} >= 3 * facts.triangles;
  return std::nullopt;
}

}  // namespace

std::optional<Refusal> ExamineScene(const aiScene& scene,
                                    std::span<const MeshInstance> instances,
                                    SceneFacts& facts) {
  facts.meshes.resize(scene.mNumMeshes);
  std::vector<bool> examined(scene.mNumMeshes);
  for (const MeshInstance& instance : instances) {
    MeshFacts& mesh = facts.meshes[instance.mesh_index];
    if (!examined[instance.mesh_index]) {
      examined[instance.mesh_index] = true;
      if (std::optional<Refusal> refusal =
              ExamineFaces(*instance.mesh, instance.mesh_index, mesh)) {
        return refusal;
      }
    }
    facts.triangles += mesh.triangles;
    facts.dropped_points += mesh.points;
    facts.dropped_lines += mesh.lines;
    facts.vertices += instance.mesh->mNumVertices;
    facts.used += mesh.used_count;
    facts.likely_points +=
        mesh.corners_apart ? mesh.used_count / 6 : mesh.used_count;
  }
  if (facts.triangles == 0) {
    return Refusal{Status::kNoTriangle, "the file holds no triangle"};
  }
  if (facts.triangles > work::kTableCapacity) {
    return Refusal{Status::kTooLarge,
                   std::to_string(facts.triangles) +
                       " triangles, more than one run holds"};
  }
  return std::nullopt;
}

}  // namespace mesh
