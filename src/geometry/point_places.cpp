#include "geometry/point_places.h"

#include "geometry/hash_mix.h"

namespace geometry {
namespace {

uint64_t HashOf(const work::TableEntry& p) {
  const uint64_t xy =
      uint64_t{static_cast<uint32_t>(p[0])} << 32 | static_cast<uint32_t>(p[1]);
  return MixBits(xy ^ MixBits(static_cast<uint32_t>(p[2])));
}

}  // namespace

PointPlaces::PointPlaces(std::span<const work::TableEntry> points,
                         int64_t count) {
  first_.assign(points.size(), uint32_t{0});
  // Slots hold a point number + 1; 0 is free.
  std::vector<uint32_t> slots;
  slots.assign(TableSlotsFor(points.size() + 1), uint32_t{0});
  const std::size_t mask = slots.size() - 1;
  const auto place_of = [&](const work::TableEntry& p, uint32_t number) {
    for (std::size_t slot = HashOf(p) & mask;; slot = (slot + 1) & mask) {
      if (slots[slot] == 0) {
        slots[slot] = number + 1;
        return number;
      }
      const uint32_t held = slots[slot] - 1;
      if (work::SameEntry(
              held < points.size() ? points[held] : work::TableEntry{}, p)) {
        return held;
      }
    }
  };
  for (std::size_t i = 0; i < points.size(); ++i) {
    first_[i] = place_of(points[i], static_cast<uint32_t>(i));
  }
  if (count > static_cast<int64_t>(points.size())) {
    origin_ = place_of({}, static_cast<uint32_t>(points.size()));
  }
}

}  // namespace geometry
