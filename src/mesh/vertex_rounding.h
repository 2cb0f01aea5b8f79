#ifndef OBTMIRROR_MESH_VERTEX_ROUNDING_H_
#define OBTMIRROR_MESH_VERTEX_ROUNDING_H_

#include <assimp/mesh.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "mesh/mesh_instances.h"
#include "mesh/mesh_names.h"
#include "mesh/scene_stages.h"
#include "work/work_tables.h"

// How a vertex of a mesh instance becomes an integer point by a Placement,
// and why one does not. Rounding runs once for each of millions of
// vertices, so it is here to be inlined.

namespace mesh {

// Beyond this a double holds only whole numbers, and an int64_t no longer
// holds every one of them once an offset is added.
inline constexpr double kWhole = 0x1p62;

// The axes by the letters that messages name them with.
inline constexpr char kAxes[] = "xyz";

// A whole number as digits, anything else as the shortest text that reads
// back as the same double.
std::string Shortest(double value);

// The nearest integer, halves away from zero, for |value| < kWhole: what
// std::round gives, without a call into the maths library for each of
// millions of coordinates. Both the cut and the difference are exact, and
// there is no branch: which way a value rounds is as random as its digits.
inline int64_t RoundHalfAway(double value) {
  const auto cut = static_cast<int64_t>(value);
  const double rest = value - static_cast<double>(cut);
  return cut + int64_t{rest >= 0.5} - int64_t{rest <= -0.5};
}

// Where `instance` places its vertex v.
inline std::array<double, 3> PlaceVertex(const MeshInstance& instance,
                                         unsigned v) {
  const aiVector3D& at = instance.mesh->mVertices[v];
  return instance.transform.Apply(at.x, at.y, at.z);
}

// Sets `point` to the point of vertex v; false when it has none.
inline bool RoundVertex(const Placement& placement,
                        const MeshInstance& instance, unsigned v,
                        work::TableEntry& point) {
  const std::array<double, 3> at = PlaceVertex(instance, v);
  bool inside = true;
  for (int axis = 0; axis < 3; ++axis) {
    const double scaled = at[axis] * placement.scale;
    // False for a NaN too; no branch, as in the rounding.
    const bool whole = std::fabs(scaled) < kWhole;
    const int64_t moved =
        RoundHalfAway(whole ? scaled : 0) + placement.shift[axis];
    // Within the 32-bit range exactly when this wraps to below 2^32.
    inside &=
        whole && static_cast<uint64_t>(moved) + 0x8000'0000u <= UINT32_MAX;
    point[axis] = static_cast<int32_t>(moved);
  }
  return inside;
}

// Why vertex v, which RoundVertex refused, has no point; messages number
// the vertex by `numbers`.
Refusal RoundingRefusal(const Placement& placement,
                        const MeshInstance& instance, unsigned v,
                        VertexNumbers numbers);

// The refusal of vertex v, which has a coordinate that is no finite number.
Refusal NotFinite(const MeshInstance& instance, unsigned v,
                  VertexNumbers numbers);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_VERTEX_ROUNDING_H_
