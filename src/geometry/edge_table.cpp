#include "geometry/edge_table.h"

#include "geometry/hash_mix.h"

namespace geometry {
namespace {

void Count(uint16_t& uses) {
  if (uses < EdgeTable::kMostUses) ++uses;
}

}  // namespace

EdgeTable::EdgeTable(std::size_t expected_edges)
    : slots_(TableSlotsFor(expected_edges)), mask_(slots_.size() - 1) {}

EdgeTable::Edge& EdgeTable::SlotFor(uint64_t key) {
  for (std::size_t slot = MixBits(key) & mask_;; slot = (slot + 1) & mask_) {
    Edge& edge = slots_[slot];
    if (edge.key == key || edge.key == 0) return edge;
  }
}

void EdgeTable::Use(uint32_t from, uint32_t to, uint32_t triangle) {
  const bool forward = from < to;
  const uint64_t key =
      forward ? uint64_t{from} << 32 | to : uint64_t{to} << 32 | from;
  Edge* edge = &SlotFor(key);
  if (edge->key == 0) {
    if (TableSlotsFor(edges_ + 1) > slots_.size()) {
      Grow();
      edge = &SlotFor(key);
    }
    ++edges_;
    edge->key = key;
    edge->first_triangle = triangle;
  }
  Count(forward ? edge->forward : edge->backward);
}

void EdgeTable::Grow() {
  std::vector<Edge> old(2 * slots_.size());
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const Edge& edge : old) {
    if (edge.key != 0) SlotFor(edge.key) = edge;
  }
}

}  // namespace geometry
