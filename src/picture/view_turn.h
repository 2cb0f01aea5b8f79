#ifndef OBTMIRROR_PICTURE_VIEW_TURN_H_
#define OBTMIRROR_PICTURE_VIEW_TURN_H_

#include <array>
#include <cstdint>

namespace picture {

using Direction = std::array<double, 3>;

// How a picture looks at the object, as a parallel projection: the object
// directions that run to the right of the screen and up it, and the one
// toward the viewer, along which points fall onto each other. The axis
// views and the turns are orthonormal; the oblique view keeps the
// wireframe's slanted axes, so that it shows what the preview shows.
struct ViewTurn {
  Direction right{1, 0, 0};
  Direction up{0, 0, 1};
  Direction toward{0, -1, 0};
};

// The preview's views: 0 oblique, 1 front, 2 top, 3 right; any other
// number is taken as the oblique view, as the preview takes it.
ViewTurn ViewOfKind(int32_t view_kind);

// The viewer turned `azimuth` degrees about the z axis from the front (0,
// looking along +y) toward the right (90, looking along -x), and raised
// `elevation` degrees toward the top (90, looking down).
ViewTurn ViewFromAngles(double azimuth, double elevation);

inline double Dot(const Direction& a, const Direction& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_VIEW_TURN_H_
