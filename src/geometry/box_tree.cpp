#include "geometry/box_tree.h"

#include <algorithm>
#include <numeric>

namespace geometry {
namespace {

// So few boxes are tried one by one sooner than halved again.
constexpr uint32_t kLeafBoxes = 4;

}  // namespace

BoxTree::BoxTree(std::span<const Box> boxes)
    : boxes_(boxes), order_(boxes.size()) {
  if (boxes.empty()) return;
  std::iota(order_.begin(), order_.end(), 0U);
  nodes_.reserve(2 * boxes.size() / kLeafBoxes + 1);
  nodes_.push_back({{}, 0, static_cast<uint32_t>(boxes.size()), 0});
  Split(0);
}

void BoxTree::Split(uint32_t node) {
  // Depth first, with the halves still to split on a list of its own: a
  // tree of a million boxes stays off the call stack.
  std::vector<uint32_t> pending = {node};
  while (!pending.empty()) {
    const uint32_t at = pending.back();
    pending.pop_back();
    const uint32_t begin = nodes_[at].begin;
    const uint32_t end = nodes_[at].end;
    Box bounds;
    for (uint32_t k = begin; k < end; ++k) bounds.Add(boxes_[order_[k]]);
    nodes_[at].bounds = bounds;
    if (end - begin <= kLeafBoxes) continue;
    std::size_t longest = 0;
    for (std::size_t axis = 1; axis < 3; ++axis) {
      if (bounds.high[axis] - bounds.low[axis] >
          bounds.high[longest] - bounds.low[longest]) {
        longest = axis;
      }
    }
    // Twice the middle, which needs no halving.
    const auto middle = [this, longest](uint32_t i) {
      return boxes_[i].low[longest] + boxes_[i].high[longest];
    };
    const uint32_t half = begin + (end - begin) / 2;
    std::nth_element(
        order_.begin() + begin, order_.begin() + half, order_.begin() + end,
        [&middle](uint32_t a, uint32_t b) { return middle(a) < middle(b); });
    const auto first_child = static_cast<uint32_t>(nodes_.size());
    nodes_[at].first_child = first_child;
    nodes_.push_back({{}, begin, half, 0});
    nodes_.push_back({{}, half, end, 0});
    pending.push_back(first_child);
    pending.push_back(first_child + 1);
  }
}

}  // namespace geometry
