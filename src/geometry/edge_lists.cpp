#include "geometry/edge_lists.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace geometry {

EdgeLists::EdgeLists(std::size_t places, std::size_t parts,
                     std::size_t most_uses)
    : cursors_(std::max<std::size_t>(parts, 1)) {
  if (most_uses > UINT32_MAX) {
    throw std::length_error("more edge uses than a check counts");
  }
  for (std::vector<uint32_t>& counts : cursors_) {
    counts.assign(places, uint32_t{0});
  }
}

void EdgeLists::Lay() {
  // Each place's list holds the uses of part 0, then those of part 1, and
  // so on.
  uint32_t next = 0;
  const std::size_t places = cursors_.front().size();
  for (std::size_t place = 0; place < places; ++place) {
    for (std::vector<uint32_t>& cursors : cursors_) {
      const uint32_t count = cursors[place];
      cursors[place] = next;
      next += count;
    }
  }
  use_count_ = next;
  uses_block_ =
      work::PageBlock(std::max<std::size_t>(next, 1) * sizeof(uint64_t));
  uses_ = static_cast<uint64_t*>(uses_block_.data());
}

uint32_t EdgeLists::PlaceAtShare(double share) const {
  const auto use = static_cast<std::size_t>(std::llround(
      std::clamp(share, 0.0, 1.0) * static_cast<double>(use_count_)));
  return static_cast<uint32_t>(
      std::lower_bound(ends().begin(), ends().end(), use) - ends().begin());
}

}  // namespace geometry
