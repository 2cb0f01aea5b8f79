#ifndef OBTMIRROR_MESH_SCENE_STAGES_H_
#define OBTMIRROR_MESH_SCENE_STAGES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "mesh/import_options.h"

// The small types that the stages of a scene's conversion into an OBT
// object (see ConvertScene) hand on to one another.

namespace mesh {

// Why an import stops.
struct Refusal {
  ImportOutcome::Status status;
  std::string reason;
};

// What one mesh of the scene holds, whichever nodes place it.
struct MeshFacts {
  int64_t triangles = 0;
  int64_t points = 0;
  int64_t lines = 0;
  // Per vertex, 1 when a triangle uses it: only those become points.
  std::vector<uint8_t> used;
  std::size_t used_count = 0;
  // A vertex of its own for every corner (as an STL file gives it): each
  // point is met about six times, each time soon after the last.
  bool corners_apart = false;
};

// What the meshes that the node tree places hold, counted over all their
// instances.
struct SceneFacts {
  // By mesh index; a mesh that no node places stays empty.
  std::vector<MeshFacts> meshes;
  int64_t triangles = 0;
  // The point and line primitives, which are left out.
  int64_t dropped_points = 0;
  int64_t dropped_lines = 0;
  std::size_t vertices = 0;
  // The vertices that a triangle uses.
  std::size_t used = 0;
  // How many points the used vertices likely make, for sizing the joiner.
  std::size_t likely_points = 0;
};

// How the coordinates of a vertex become those of a point: multiplied by
// `scale`, rounded to integers, and moved by `shift`.
struct Placement {
  double scale = 1;
  std::array<int64_t, 3> shift{};
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_SCENE_STAGES_H_
