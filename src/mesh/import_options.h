#ifndef OBTMIRROR_MESH_IMPORT_OPTIONS_H_
#define OBTMIRROR_MESH_IMPORT_OPTIONS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mirror/octant_table.h"

namespace mesh {

// How the vertices of a mesh become the integer points of an OBT object.
struct ImportOptions {
  // Every coordinate is multiplied by this and rounded to the nearest
  // integer, halves away from zero. Without it, the scale is the one that
  // makes the object's largest extent `fit_extent`.
  std::optional<double> scale;
  double fit_extent = 10000;
  // Added after rounding; each within the 32-bit range.
  std::array<int64_t, 3> offset{};
  // Instead of an offset: shifted so that the object lies in this octant
  // around the origin and touches its three planes.
  std::optional<mirror::OctantSides> move_into;
  // The FourthValue of every triangle, or its material's index modulo 256.
  uint8_t fourth_value = 0;
  bool fourth_from_material = false;
  // Reverses every triangle, for a file whose faces point inward.
  bool flip = false;
};

// How an import ended, and what it read.
struct ImportOutcome {
  enum class Status {
    kImported,
    // The file is no mesh the library can read, or its scene is broken.
    kNotRead,
    kNoTriangle,
    // --fit on an object whose vertices all lie at one place.
    kNoExtent,
    // NaN, infinity, or outside the 32-bit range.
    kBadCoordinate,
    // More points or triangles than one run holds.
    kTooLarge,
  };

  Status status = Status::kImported;
  // Why, for every status but kImported.
  std::string reason;
  // Mesh instances of the node tree, and the primitives left out.
  int64_t meshes = 0;
  int64_t dropped_points = 0;
  int64_t dropped_lines = 0;
  // Triangles whose corners came to one point or one line when rounded.
  int64_t dropped_degenerate = 0;
  double scale = 1;
  // Lines about the file that the import went on without: a companion file
  // refused or missing.
  std::vector<std::string> notes;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_IMPORT_OPTIONS_H_
