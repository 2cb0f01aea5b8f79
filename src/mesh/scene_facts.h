#ifndef OBTMIRROR_MESH_SCENE_FACTS_H_
#define OBTMIRROR_MESH_SCENE_FACTS_H_

#include <optional>
#include <span>

#include "mesh/mesh_instances.h"
#include "mesh/scene_stages.h"

struct aiScene;

namespace mesh {

// The first stage of a scene's conversion: checks every face of the meshes
// that `instances` place, each mesh once, and counts what they hold into
// `facts`. Refuses a mesh without its data, a face that is no point, line
// or triangle of its mesh's vertices, and a scene without a triangle or
// with more triangles than one run holds; `facts` then counts the points
// and lines met until the refusal.
std::optional<Refusal> ExamineScene(const aiScene& scene,
                                    std::span<const MeshInstance> instances,
                                    SceneFacts& facts);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_SCENE_FACTS_H_
