#include "mesh/vertex_rounding.h"

#include <charconv>
#include <limits>

namespace mesh {
namespace {

std::string NameOf(const MeshInstance& instance, unsigned v,
                   VertexNumbers numbers) {
  return VertexName(*instance.mesh, instance.mesh_index, v, numbers);
}

}  // namespace

std::string Shortest(double value) {
  if (std::fabs(value) < 1e18 && value == std::trunc(value)) {
    return std::to_string(static_cast<int64_t>(value));
  }
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

Refusal RoundingRefusal(const Placement& placement,
                        const MeshInstance& instance, unsigned v,
                        VertexNumbers numbers) {
  const std::array<double, 3> at = PlaceVertex(instance, v);
  for (int axis = 0; axis < 3; ++axis) {
    const double scaled = at[axis] * placement.scale;
    // Finite in the file, but not once scaled: out of range like the
    // others.
    if (!std::isfinite(at[axis])) return NotFinite(instance, v, numbers);
    const bool whole = std::fabs(scaled) < kWhole;
    const int64_t moved =
        whole ? RoundHalfAway(scaled) + placement.shift[axis] : 0;
    if (!whole || moved < std::numeric_limits<int32_t>::min() ||
        moved > std::numeric_limits<int32_t>::max()) {
      return {ImportOutcome::Status::kBadCoordinate,
              NameOf(instance, v, numbers) + " comes to " + kAxes[axis] +
                  " = " +
                  Shortest(whole ? static_cast<double>(moved) : scaled) +
                  ", outside the 32-bit range of OBT coordinates"};
    }
  }
  return {ImportOutcome::Status::kBadCoordinate,
          NameOf(instance, v, numbers) + " has no point"};
}

Refusal NotFinite(const MeshInstance& instance, unsigned v,
                  VertexNumbers numbers) {
  return {ImportOutcome::Status::kBadCoordinate,
          NameOf(instance, v, numbers) +
              " has a coordinate that is no finite number"};
}

}  // namespace mesh
