#ifndef OBTMIRROR_GEOMETRY_EDGE_TABLE_H_
#define OBTMIRROR_GEOMETRY_EDGE_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <span>

#include "geometry/hash_mix.h"
#include "work/page_block.h"

namespace geometry {

// The edges of a surface between places (point numbers), each counted by
// the direction in which triangles run along it. Open addressing over one
// flat array: millions of edges cost 16 bytes each and no allocation of
// their own. The array is a block of fresh pages, huge ones where the
// system has them: free slots are zeros, which such pages are, and each
// use of a table far larger than the caches would otherwise miss the
// address cache as well.
class EdgeTable {
 public:
  static constexpr uint16_t kMostUses = UINT16_MAX;

  struct Edge {
    // lower << 32 | higher; 0 marks a free slot (lower < higher, so no
    // edge has it).
    uint64_t key = 0;
    // The first triangle that uses it.
    uint32_t first_triangle = 0;
    // Uses from lower to higher, and back; they stop at kMostUses.
    uint16_t forward = 0;
    uint16_t backward = 0;

    uint32_t lower() const { return static_cast<uint32_t>(key >> 32); }

    // One more use, from lower to higher or back.
    void CountUse(bool from_lower) {
      uint16_t& uses = from_lower ? forward : backward;
      if (uses < kMostUses) ++uses;
    }
    uint32_t higher() const { return static_cast<uint32_t>(key); }
  };

  // Room for `expected_edges` edges at first; it grows as needed.
  explicit EdgeTable(std::size_t expected_edges);

  // One use by `triangle` from place `from` to place `to` (from != to).
  void Use(uint32_t from, uint32_t to, uint32_t triangle);

  // Has the slot where the search for the edge between `from` and `to`
  // starts fetched into the cache, for a use that follows soon.
  void Prefetch(uint32_t from, uint32_t to) const {
    __builtin_prefetch(&table()[MixBits(KeyOf(from, to)) & mask_]);
  }

  // The upper half of the hash of the edge between `from` and `to`, on
  // which no table's slots depend: tables that share the edges between
  // them may choose by it.
  static uint32_t UpperHashOf(uint32_t from, uint32_t to) {
    return static_cast<uint32_t>(MixBits(KeyOf(from, to)) >> 32);
  }

  // The edge between `from` and `to`, which some triangle has used.
  const Edge& At(uint32_t from, uint32_t to) const {
    return SlotFor(KeyOf(from, to));
  }

  // Every slot; the free ones have key 0.
  std::span<const Edge> slots() const { return {table(), slot_count_}; }

 private:
  static uint64_t KeyOf(uint32_t from, uint32_t to) {
    return from < to ? uint64_t{from} << 32 | to : uint64_t{to} << 32 | from;
  }
  // The slot that holds `key`, or the free one where it belongs.
  Edge& SlotFor(uint64_t key) const;
  void Grow();

  Edge* table() const { return static_cast<Edge*>(block_.data()); }
  // A block of `slots` free slots.
  static work::PageBlock FreeSlots(std::size_t slots);

  work::PageBlock block_;
  std::size_t slot_count_;
  std::size_t mask_;
  std::size_t edges_ = 0;
};

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_EDGE_TABLE_H_
