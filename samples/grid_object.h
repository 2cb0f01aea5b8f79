#ifndef OBTMIRROR_SAMPLES_GRID_OBJECT_H_
#define OBTMIRROR_SAMPLES_GRID_OBJECT_H_

#include <cstdint>
#include <string>

namespace obtgen {

// Writes a version 2 OBT file for measuring: `points` points on a lattice in
// octant 1 (100 points a row, 100 units apart, so coordinates run from 0 to
// -9900 and further down on z), and `triangles` triangles over neighbouring
// lattice points, all with valid point numbers and FourthValues running
// through 0..255. The same counts always give the same file. Needs at least
// one point when there are triangles. False when writing failed.
bool WriteGridObject(const std::string& path, int32_t points,
                     int32_t triangles);

}  // namespace obtgen

#endif  // OBTMIRROR_SAMPLES_GRID_OBJECT_H_
