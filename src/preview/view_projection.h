#ifndef OBTMIRROR_PREVIEW_VIEW_PROJECTION_H_
#define OBTMIRROR_PREVIEW_VIEW_PROJECTION_H_

#include <cstdint>

#include "preview/real6.h"

namespace preview {

// ViewKind: the item index of the view list.
inline constexpr int32_t kView3D = 0;     // oblique, y receding up-left
inline constexpr int32_t kViewFront = 1;  // u = x, v = z
inline constexpr int32_t kViewTop = 2;    // u = x, v = y
inline constexpr int32_t kViewRight = 3;  // u = y, v = z
inline constexpr int32_t kViewKindCount = 4;

// The oblique view's factors, held as the Real6 values nearest to
// 0.707106781, 0.7 and 1.
inline constexpr Real6 kDepthFactor{
    Real6::Bytes{0x80, 0x2D, 0x33, 0xF3, 0x04, 0x35}};
inline constexpr Real6 kHeightFactor{
    Real6::Bytes{0x80, 0x33, 0x33, 0x33, 0x33, 0x33}};
inline constexpr Real6 kUnitFactor{
    Real6::Bytes{0x81, 0x00, 0x00, 0x00, 0x00, 0x00}};

// A point in the drawing plane: u grows to the right, v upward.
struct PlanePoint {
  int32_t u = 0;
  int32_t v = 0;

  friend bool operator==(const PlanePoint&, const PlanePoint&) = default;
};

// Projects an object point for a view. The axis views put the origin at the
// middle of a box of `width` x `height`; the oblique view adds no offset, as
// the fit takes the smallest u and v off anyway. A value beyond the signed
// 32-bit range gives the range's nearest end. A view_kind outside 0..3 is
// taken as the oblique view.
PlanePoint ProjectPoint(int32_t x, int32_t y, int32_t z, int32_t width,
                        int32_t height, int32_t view_kind);

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_VIEW_PROJECTION_H_
