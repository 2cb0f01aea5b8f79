#ifndef OBTMIRROR_PICTURE_PICTURE_SCENE_H_
#define OBTMIRROR_PICTURE_PICTURE_SCENE_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "picture/result_copies.h"
#include "work/work_tables.h"

namespace picture {

// What a picture shows: an object's points and triangles, in every copy
// a run writes of it.
struct PictureScene {
  std::span<const work::TableEntry> points;
  std::span<const work::TableEntry> triangles;
  ResultCopies copies;

  // The corners of triangle `t` as copy `copy` writes it; nothing when a
  // corner names a point the object does not hold, which no picture can
  // place.
  std::optional<std::array<work::TableEntry, 3>> CornersOf(
      std::size_t copy, std::size_t t) const {
    const work::TableEntry named = copies.CornersOf(copy, triangles[t]);
    std::array<work::TableEntry, 3> corners;
    for (std::size_t k = 0; k < 3; ++k) {
      const auto point = PointOf(copy, named[k]);
      if (!point) return std::nullopt;
      corners[k] = *point;
    }
    return corners;
  }

  // Point `number` as copy `copy` writes it, if the object holds it.
  std::optional<work::TableEntry> PointOf(std::size_t copy,
                                          int64_t number) const {
    if (number < 0 || static_cast<uint64_t>(number) >= points.size()) {
      return std::nullopt;
    }
    return copies.PointOf(copy, points[static_cast<std::size_t>(number)]);
  }
};

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_PICTURE_SCENE_H_
