#ifndef OBTMIRROR_PICTURE_SURFACE_DRAWING_H_
#define OBTMIRROR_PICTURE_SURFACE_DRAWING_H_

#include <cstdint>

#include "picture/depth_raster.h"
#include "picture/frame.h"
#include "picture/picture_scene.h"
#include "picture/rgb_image.h"

namespace picture {

// How far the points of every copy reach along the view's directions.
Reach ReachOf(const PictureScene& scene, const ViewTurn& view);

// Every copy's triangles drawn into a depth raster of the frame's size,
// triangle t of copy c numbered c * T + t for T triangles.
DepthRaster DrawSurface(const PictureScene& scene, const Frame& frame);

// Colours each pixel of `image` from the triangle seen there: grey by the
// angle between the face and the view when it is seen from outside (the
// side its corners turn counter-clockwise on), the colour of its own when
// seen from behind. Returns how many triangles are seen from behind.
int64_t ColourSurface(const PictureScene& scene, const ViewTurn& view,
                      const DepthRaster& raster, RgbImage& image);

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_SURFACE_DRAWING_H_
