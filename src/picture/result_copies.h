#ifndef OBTMIRROR_PICTURE_RESULT_COPIES_H_
#define OBTMIRROR_PICTURE_RESULT_COPIES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "work/work_tables.h"

namespace picture {

// The copies a run writes of an object, copy 0 the object itself, with
// the points and triangles each holds as written.
class ResultCopies {
 public:
  // The object alone.
  ResultCopies() : copies_(1) {}
  ResultCopies(const mirror::MirrorCentre& centre,
               const mirror::CopyPlan& plan);

  std::size_t count() const { return copies_.size(); }
  // The axes (bit 0 for x) that some copy mirrors: the mirror planes.
  unsigned mirrored_axes() const { return mirrored_axes_; }
  const mirror::MirrorCentre& centre() const { return centre_; }

  // Point `point` of the object as copy `copy` writes it: mirrored through
  // the centre on the copy's axes, wrapping at 32 bits as the run does.
  work::TableEntry PointOf(std::size_t copy,
                           const work::TableEntry& point) const {
    const Copy& c = copies_[copy];
    work::TableEntry image = point;
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (c.mirrored[axis]) {
        image[axis] = static_cast<int32_t>(twice_centre_[axis] -
                                           static_cast<uint32_t>(point[axis]));
      }
    }
    return image;
  }
  // The corners of a triangle as copy `copy` names them: the first two
  // swapped where the copy turns the triangles around.
  work::TableEntry CornersOf(std::size_t copy,
                             const work::TableEntry& triangle) const {
    if (!copies_[copy].flip) return triangle;
    return {triangle[1], triangle[0], triangle[2]};
  }

 private:
  struct Copy {
    std::array<bool, 3> mirrored{};
    bool flip = false;
  };

  std::vector<Copy> copies_;
  mirror::MirrorCentre centre_;
  std::array<uint32_t, 3> twice_centre_{};
  unsigned mirrored_axes_ = 0;
};

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_RESULT_COPIES_H_
