#ifndef OBTMIRROR_SAMPLES_SHAPES_H_
#define OBTMIRROR_SAMPLES_SHAPES_H_

#include "mesh.h"

namespace obtgen {

// The sample objects. Each is the part of a symmetric object that lies in
// octant 1 (every coordinate <= 0) and reaches the three planes through 0,
// where it is open: mirrored around centre 0 into all eight octants, the
// parts close into one object whose triangles all face outward.

// The corner of an 800 x 600 x 400 box: its three outer faces, each split
// into squares of 50 units.
Mesh BoxCorner();

// A quarter of the lower half of a vase standing on the z axis: a flat
// foot at z = -600 and a wall that narrows above the foot and then widens
// to its belly at z = 0.
Mesh QuarterVase();

// The eighth of a sphere of `radius` around 0 that lies in octant 1: the
// octahedron's face there, cut into divisions² triangles and pushed out onto
// the sphere. (divisions + 1)(divisions + 2) / 2 points; 1413 divisions
// give the million points of the large benchmarks.
Mesh SphereOctant(int divisions, int32_t radius);

}  // namespace obtgen

#endif  // OBTMIRROR_SAMPLES_SHAPES_H_
