#ifndef OBTMIRROR_GEOMETRY_AXIS_MASK_H_
#define OBTMIRROR_GEOMETRY_AXIS_MASK_H_

#include <cstdint>

namespace geometry {

// A set of axes as bits: bit a for axis a (x 1, y 2, z 4).
using AxisMask = uint8_t;

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_AXIS_MASK_H_
