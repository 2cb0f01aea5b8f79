#include "geometry/edge_table.h"

#include <span>
#include <utility>

#include "geometry/hash_mix.h"

namespace geometry {
EdgeTable::EdgeTable(std::size_t expected_edges)
    : block_(FreeSlots(TableSlotsFor(expected_edges))),
      slot_count_(TableSlotsFor(expected_edges)),
      mask_(slot_count_ - 1) {}

work::PageBlock EdgeTable::FreeSlots(std::size_t slots) {
  return work::PageBlock(slots * sizeof(Edge));
}

EdgeTable::Edge& EdgeTable::SlotFor(uint64_t key) const {
  Edge* const slots = table();
  for (std::size_t slot = MixBits(key) & mask_;; slot = (slot + 1) & mask_) {
    Edge& edge = slots[slot];
    if (edge.key == key || edge.key == 0) return edge;
  }
}

void EdgeTable::Use(uint32_t from, uint32_t to, uint32_t triangle) {
  const bool forward = from < to;
  const uint64_t key = KeyOf(from, to);
  Edge* edge = &SlotFor(key);
  if (edge->key == 0) {
    if (TableSlotsFor(edges_ + 1) > slot_count_) {
      Grow();
      edge = &SlotFor(key);
    }
    ++edges_;
    edge->key = key;
    edge->first_triangle = triangle;
  }
  edge->CountUse(forward);
}

void EdgeTable::Grow() {
  work::PageBlock old = FreeSlots(2 * slot_count_);
  std::swap(old, block_);
  const std::span<const Edge> old_slots(static_cast<const Edge*>(old.data()),
                                        slot_count_);
  slot_count_ *= 2;
  mask_ = slot_count_ - 1;
  for (const Edge& edge : old_slots) {
    if (edge.key != 0) SlotFor(edge.key) = edge;
  }
}

}  // namespace geometry
