#ifndef OBTMIRROR_MESH_SCENE_POINTS_H_
#define OBTMIRROR_MESH_SCENE_POINTS_H_

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "mesh/gauge_stretch.h"
#include "mesh/mesh_instances.h"
#include "mesh/mesh_names.h"
#include "mesh/scene_stages.h"
#include "work/page_block.h"
#include "work/work_tables.h"

namespace mesh {

// The point number of a vertex that no triangle uses.
inline constexpr uint32_t kUnused = UINT32_MAX;

// What joining makes of the vertices of a scene's mesh instances.
struct JoinedVertices {
  // The points, numbered in the order they are first met.
  std::vector<work::TableEntry> points;
  // The point number of each vertex of each instance, instance after
  // instance, or kUnused; `numbers` is the start of `number_block`.
  work::PageBlock number_block;
  uint32_t* numbers = nullptr;
};

// Makes one point of all the used vertices of `instances` (by `facts`)
// that `placement` puts at the same integer coordinates, numbered in the
// order they are first met, into `joined`. Refuses a vertex that has no
// point or, unused, has a coordinate that is no finite number, and more
// points than one run holds. `progress` hears of the first 0.8 of the
// stage. Messages number a vertex by `numbers`.
std::optional<Refusal> JoinScenePoints(std::span<const MeshInstance> instances,
                                       const SceneFacts& facts,
                                       const Placement& placement,
                                       VertexNumbers numbers,
                                       const GaugeStretch& progress,
                                       JoinedVertices& joined);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_SCENE_POINTS_H_
