#ifndef OBTMIRROR_GEOMETRY_POINT_PLACES_H_
#define OBTMIRROR_GEOMETRY_POINT_PLACES_H_

#include <cstdint>
#include <span>
#include <vector>

#include "work/work_tables.h"

namespace geometry {

// The place of every point: the first point number with the same
// coordinates. A surface is closed where its triangles meet in places, so
// a point the file writes twice must not open it.
class PointPlaces {
 public:
  // `points` are those the file holds; the run reads the rest up to
  // `count` as 0 0 0.
  PointPlaces(std::span<const work::TableEntry> points, int64_t count);

  // For 0 <= point < count.
  uint32_t Of(int64_t point) const {
    return point < static_cast<int64_t>(first_.size())
               ? first_[static_cast<std::size_t>(point)]
               : origin_;
  }

 private:
  std::vector<uint32_t> first_;
  // The place of the points the file does not hold.
  uint32_t origin_ = 0;
};

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_POINT_PLACES_H_
