#ifndef OBTMIRROR_GEOMETRY_BOX_TREE_H_
#define OBTMIRROR_GEOMETRY_BOX_TREE_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "geometry/exact_arithmetic.h"

namespace geometry {

// An axis-aligned box, its faces included; empty as it starts.
struct Box {
  Vector3 low{INT64_MAX, INT64_MAX, INT64_MAX};
  Vector3 high{INT64_MIN, INT64_MIN, INT64_MIN};

  void Add(const Box& box) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      low[axis] = std::min(low[axis], box.low[axis]);
      high[axis] = std::max(high[axis], box.high[axis]);
    }
  }
  void Add(const Vector3& point) { Add({point, point}); }

  bool Holds(const Vector3& point) const {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (point[axis] < low[axis] || point[axis] > high[axis]) return false;
    }
    return true;
  }
};

// The boxes that hold a point, among many: boxes halved by their middles
// along the longest side, so that a point far from most of them visits few.
class BoxTree {
 public:
  explicit BoxTree(std::span<const Box> boxes);

  // Calls found(i) for each boxes[i] that holds `point`.
  template <typename Found>
  void ForEachHolding(const Vector3& point, const Found& found) const {
    if (nodes_.empty()) return;
    std::vector<uint32_t> pending = {0};
    while (!pending.empty()) {
      const Node& node = nodes_[pending.back()];
      pending.pop_back();
      if (!node.bounds.Holds(point)) continue;
      if (node.first_child == 0) {
        for (uint32_t k = node.begin; k < node.end; ++k) {
          if (boxes_[order_[k]].Holds(point)) found(order_[k]);
        }
      } else {
        pending.push_back(node.first_child);
        pending.push_back(node.first_child + 1);
      }
    }
  }

 private:
  struct Node {
    Box bounds;
    // The boxes under it, order_[begin] to order_[end - 1].
    uint32_t begin = 0;
    uint32_t end = 0;
    // Its two halves are nodes first_child and first_child + 1; 0 for a
    // leaf, as the root is no one's child.
    uint32_t first_child = 0;
  };

  void Split(uint32_t node);

  std::span<const Box> boxes_;
  std::vector<uint32_t> order_;
  std::vector<Node> nodes_;
};

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_BOX_TREE_H_
