#include "mesh/scene_scale.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "mesh/vertex_rounding.h"

namespace mesh {
namespace {

using Status = ImportOutcome::Status;

// The least and the greatest coordinates of the used vertices.
struct Bounds {
  std::array<double, 3> low;
  std::array<double, 3> high;
};

// The bounds of the used vertices of `instances` where they place them;
// the refusal of the first with a coordinate that is no finite number.
std::optional<Refusal> FindBounds(std::span<const MeshInstance> instances,
                                  const SceneFacts& facts,
                                  VertexNumbers numbers, Bounds& bounds) {
  bounds.low.fill(std::numeric_limits<double>::infinity());
  bounds.high.fill(-std::numeric_limits<double>::infinity());
  for (const MeshInstance& instance : instances) {
    const std::vector<uint8_t>& used = facts.meshes[instance.mesh_index].used;
    for (unsigned v = 0; v < instance.mesh->mNumVertices; ++v) {
      if (used[v] == 0) continue;
      const std::array<double, 3> at = PlaceVertex(instance, v);
      for (int axis = 0; axis < 3; ++axis) {
        if (!std::isfinite(at[axis])) return NotFinite(instance, v, numbers);
        bounds.low[axis] = std::min(bounds.low[axis], at[axis]);
        bounds.high[axis] = std::max(bounds.high[axis], at[axis]);
      }
    }
  }
  return std::nullopt;
}

// The scale that makes the largest extent of `bounds` `fit_extent`.
std::optional<Refusal> FitScale(const Bounds& bounds, double fit_extent,
                                double& scale) {
  double extent = 0;
  for (int axis = 0; axis < 3; ++axis) {
    extent = std::max(extent, bounds.high[axis] - bounds.low[axis]);
  }
  if (extent == 0) {
    return Refusal{Status::kNoExtent,
                   "every vertex lies at one place, so the object has no "
                   "extent to fit; give --scale"};
  }
  scale = fit_extent / extent;
  return std::nullopt;
}

// The shift that makes the object, scaled, touch the planes around the
// origin from the octant's sides.
std::optional<Refusal> MoveInto(const Bounds& bounds,
                                const mirror::OctantSides& octant,
                                Placement& placement) {
  // Rounding keeps the order of values, so the rounded extremes are the
  // extremes of the rounded points.
  const int sides[3] = {octant.x, octant.y, octant.z};
  for (int axis = 0; axis < 3; ++axis) {
    const double touching =
        (sides[axis] == 1 ? bounds.high[axis] : bounds.low[axis]) *
        placement.scale;
    if (!(std::fabs(touching) < kWhole)) {
      return Refusal{Status::kBadCoordinate,
                     std::string("the object reaches ") + kAxes[axis] + " = " +
                         Shortest(touching) +
                         ", far outside the 32-bit range of OBT coordinates"};
    }
    placement.shift[axis] = -RoundHalfAway(touching);
  }
  return std::nullopt;
}

}  // namespace

std::optional<Refusal> ChoosePlacement(std::span<const MeshInstance> instances,
                                       const SceneFacts& facts,
                                       const ImportOptions& options,
                                       VertexNumbers numbers,
                                       Placement& placement) {
  const bool fit = !options.scale;
  placement.scale = fit ? 1.0 : *options.scale;
  placement.shift = options.offset;
  if (!fit && !options.move_into) return std::nullopt;

  Bounds bounds;
  if (std::optional<Refusal> refusal =
          FindBounds(instances, facts, numbers, bounds)) {
    return refusal;
  }
  if (fit) {
    if (std::optional<Refusal> refusal =
            FitScale(bounds, options.fit_extent, placement.scale)) {
      return refusal;
    }
  }
  if (!options.move_into) return std::nullopt;
  return MoveInto(bounds, *options.move_into, placement);
}

}  // namespace mesh
