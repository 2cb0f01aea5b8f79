#ifndef OBTMIRROR_GEOMETRY_EDGE_LISTS_H_
#define OBTMIRROR_GEOMETRY_EDGE_LISTS_H_

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "geometry/edge_table.h"
#include "work/page_block.h"

namespace geometry {

// The uses of the edges of a surface between places (point numbers),
// listed by the lower place of each edge. The triangles of a mesh name
// nearby points one after the other, so these lists are filled and read
// almost in order, where the slots of a hash table would each miss the
// caches. Filled in two passes over the triangles, which may be split
// into parts on threads of their own: the first counts the uses of each
// place, the second enters them, each use once in each pass.
class EdgeLists {
 public:
  // For places 0 to `places` - 1 and the uses of `parts` parts, which
  // enter theirs in the order of the parts' numbers and of their
  // triangles; at most `most_uses` uses in all, which must be below 2^32
  // (a run holds far fewer): std::length_error otherwise.
  EdgeLists(std::size_t places, std::size_t parts, std::size_t most_uses);

  // The first pass: part `part` will enter a use from place `from` to
  // place `to` (from != to).
  void Count(std::size_t part, uint32_t from, uint32_t to) {
    ++cursors_[part][std::min(from, to)];
  }

  // Between the passes: makes room for the uses counted.
  void Lay();

  // The second pass: the use that part `part` counted, by `triangle`
  // (less than 2^31).
  void Enter(std::size_t part, uint32_t from, uint32_t to, uint32_t triangle) {
    uses_[cursors_[part][std::min(from, to)]++] =
        uint64_t{std::max(from, to)} << 32 | uint64_t{triangle} << 1 |
        (from > to ? 1U : 0U);
  }

  std::size_t use_count() const { return use_count_; }

  // After both passes: the place from which on the lists hold about the
  // last 1 - `share` of the uses, for 0 <= share <= 1; where to split the
  // reading between threads.
  uint32_t PlaceAtShare(double share) const;

  // After both passes: calls visit(edge) with each edge whose lower place
  // is at least `first` and below `end`, counted and with its first
  // triangle as an EdgeTable would give it, and meet(first_triangle,
  // triangle) with each other triangle that uses it. Places of lists read
  // at the same time do not overlap.
  template <typename Visit, typename Meet>
  void ForEachEdge(uint32_t first, uint32_t end, const Visit& visit,
                   const Meet& meet) {
    for (uint32_t place = first; place < end; ++place) {
      uint64_t* const list = uses_ + Begin(place);
      const std::size_t length = ends()[place] - Begin(place);
      if (length > kSortedAtMost) {
        VisitLongList(place, list, length, visit, meet);
        continue;
      }
      std::sort(list, list + length);
      for (std::size_t i = 0; i < length;) {
        const uint32_t higher = static_cast<uint32_t>(list[i] >> 32);
        EdgeTable::Edge edge{uint64_t{place} << 32 | higher,
                             TriangleOf(list[i])};
        edge.CountUse((list[i] & 1) == 0);
        for (++i; i < length && static_cast<uint32_t>(list[i] >> 32) == higher;
             ++i) {
          edge.CountUse((list[i] & 1) == 0);
          meet(edge.first_triangle, TriangleOf(list[i]));
        }
        visit(edge);
      }
    }
  }

 private:
  // Longer lists are counted in a hash table: sorting would cost more
  // than linear time where one place has a great many neighbours.
  static constexpr std::size_t kSortedAtMost = 64;

  static uint32_t TriangleOf(uint64_t use) {
    return static_cast<uint32_t>(use >> 1) & 0x7fffffffU;
  }

  template <typename Visit, typename Meet>
  static void VisitLongList(uint32_t place, const uint64_t* list,
                            std::size_t length, const Visit& visit,
                            const Meet& meet) {
    // Each edge of a closed surface has two uses.
    EdgeTable table(length / 2);
    for (std::size_t i = 0; i < length; ++i) {
      const uint32_t other = static_cast<uint32_t>(list[i] >> 32);
      const bool backward = (list[i] & 1) != 0;
      table.Use(backward ? other : place, backward ? place : other,
                TriangleOf(list[i]));
    }
    for (std::size_t i = 0; i < length; ++i) {
      const uint32_t triangle = TriangleOf(list[i]);
      const uint32_t first_triangle =
          table.At(place, static_cast<uint32_t>(list[i] >> 32)).first_triangle;
      if (triangle != first_triangle) meet(first_triangle, triangle);
    }
    for (const EdgeTable::Edge& edge : table.slots()) {
      if (edge.key != 0) visit(edge);
    }
  }

  // Where each place's list ends once every use is entered.
  const std::vector<uint32_t>& ends() const { return cursors_.back(); }
  std::size_t Begin(uint32_t place) const {
    return place == 0 ? 0 : ends()[place - 1];
  }

  // For each part and place, its count in the first pass, and where its
  // next use goes in the second.
  std::vector<std::vector<uint32_t>> cursors_;
  work::PageBlock uses_block_;
  uint64_t* uses_ = nullptr;
  std::size_t use_count_ = 0;
};

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_EDGE_LISTS_H_
