#ifndef OBTMIRROR_PICTURE_SHADED_PICTURE_H_
#define OBTMIRROR_PICTURE_SHADED_PICTURE_H_

#include <cstdint>

#include "geometry/findings.h"
#include "picture/finding_marks.h"
#include "picture/frame.h"
#include "picture/legend.h"
#include "picture/picture_scene.h"
#include "picture/rgb_image.h"
#include "picture/view_turn.h"

namespace picture {

// A picture of an object as a run writes it, drawn in software so that it
// needs no display: its faces shaded flat by their angle to the viewer,
// hidden ones left out, and what a check found marked over them.
class ShadedPicture {
 public:
  // Fits the view to every copy's points in a picture of `width` x
  // `height` pixels, both from 1. The scene must outlive the picture.
  ShadedPicture(const PictureScene& scene, const ViewTurn& view, int32_t width,
                int32_t height);

  const Frame& frame() const { return frame_; }
  const MarkSizes& sizes() const { return sizes_; }

  // The surface, and in a legend the count of faces seen from behind if
  // any are.
  RgbImage Draw(PixelBox* legend = nullptr) const;
  // That with the mirror planes, the marks of the findings of kMarkedKinds that
  // `findings` keeps every one of, and a legend that counts them as the check
  // does; where the legend went, in `legend` when asked.
  RgbImage Draw(const geometry::FindingList& findings,
                PixelBox* legend = nullptr) const;

 private:
  RgbImage Compose(const geometry::FindingList* findings,
                   PixelBox* legend) const;

  const PictureScene& scene_;
  MarkSizes sizes_;
  Frame frame_;
};

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_SHADED_PICTURE_H_
