#ifndef OBTMIRROR_PICTURE_MARK_SHAPES_H_
#define OBTMIRROR_PICTURE_MARK_SHAPES_H_

#include "picture/frame.h"
#include "picture/rgb_image.h"

namespace picture {

// The shapes findings are marked with, drawn over the picture: every pixel
// whose centre lies within the shape takes the colour, those outside the
// image are left out.

// The points within `radius` of the segment from `from` to `to`; with
// `dash` above 0, only the first half of every stretch of 2 * dash along
// it.
void FillStroke(RgbImage& image, ScreenPoint from, ScreenPoint to, float radius,
                Rgb colour, float dash = 0);

// A dot of `radius` in `colour` inside a ring of one pixel in ink, which
// keeps a light colour seen on a light surface.
void FillDot(RgbImage& image, ScreenPoint at, float radius, Rgb colour);

// The triangle's pixels on diagonal stripes, and its outline, so that a
// triangle seen edge-on still shows as a line.
void HatchTriangle(RgbImage& image, ScreenPoint a, ScreenPoint b, ScreenPoint c,
                   float outline_radius, Rgb colour);

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_MARK_SHAPES_H_
