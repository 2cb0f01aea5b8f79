#ifndef OBTMIRROR_MESH_SCENE_SCALE_H_
#define OBTMIRROR_MESH_SCENE_SCALE_H_

#include <optional>
#include <span>

#include "mesh/import_options.h"
#include "mesh/mesh_instances.h"
#include "mesh/mesh_names.h"
#include "mesh/scene_stages.h"

namespace mesh {

// Chooses the scale, given or the one that --fit asks for, and the shift,
// the --offset or the one that --move-into asks for, into `placement`.
// Fitting and moving look at the used vertices of `instances` (by `facts`)
// where they place them: refuses one with a coordinate that is no finite
// number, an object without extent to fit, and one whose side to touch a
// plane lies out of range. Messages number a vertex by `numbers`.
std::optional<Refusal> ChoosePlacement(std::span<const MeshInstance> instances,
                                       const SceneFacts& facts,
                                       const ImportOptions& options,
                                       VertexNumbers numbers,
                                       Placement& placement);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_SCENE_SCALE_H_
