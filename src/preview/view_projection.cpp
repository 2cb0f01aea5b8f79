#include "preview/view_projection.h"

#include "preview/extended.h"

namespace preview {
namespace {

// The offset and the coordinate are summed in 64 bits so that a point at
// the edge of the 32-bit range saturates instead of wrapping.
PlanePoint AxisPoint(int32_t half_width, int32_t half_height, int32_t across,
                     int32_t up) {
  return {SaturateToInt32(int64_t{half_width} + across),
          SaturateToInt32(int64_t{half_height} + up)};
}

// Each product is rounded to Extended, then stored as a Real6 as the oblique
// view keeps its scaled coordinates; a 32-bit integer times 1 stays exact.
Extended ScaledCoordinate(Extended factor, int32_t coordinate) {
  const Extended product = factor * static_cast<Extended>(coordinate);
  return Real6::FromExtended(product).ToExtended();
}

PlanePoint ObliquePoint(int32_t x, int32_t y, int32_t z) {
  // The factors in working precision, converted once.
  static const Extended kDepth = kDepthFactor.ToExtended();
  static const Extended kHeight = kHeightFactor.ToExtended();
  static const Extended kUnit = kUnitFactor.ToExtended();
  const Extended scaled_x = ScaledCoordinate(kUnit, x);
  const Extended scaled_y = ScaledCoordinate(kUnit, y);
  const Extended scaled_z = ScaledCoordinate(kHeight, z);
  // Every step rounded on its own, as the picture depends on it.
  const Extended depth = kDepth * scaled_y;
  const Extended u = scaled_x - depth;
  const Extended v = depth + scaled_z;
  return {Trunc(u), Trunc(v)};
}

}  // namespace

PlanePoint ProjectPoint(int32_t x, int32_t y, int32_t z, int32_t width,
                        int32_t height, int32_t view_kind) {
  const int32_t half_width = width / 2;
  const int32_t half_height = height / 2;
  switch (view_kind) {
    case kViewFront:
      return AxisPoint(half_width, half_height, x, z);
    case kViewTop:
      return AxisPoint(half_width, half_height, x, y);
    case kViewRight:
      return AxisPoint(half_width, half_height, y, z);
    default:
      return ObliquePoint(x, y, z);
  }
}

}  // namespace preview
