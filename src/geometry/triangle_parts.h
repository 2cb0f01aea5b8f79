#ifndef OBTMIRROR_GEOMETRY_TRIANGLE_PARTS_H_
#define OBTMIRROR_GEOMETRY_TRIANGLE_PARTS_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "work/page_block.h"

namespace geometry {

// The parts a surface falls into: two triangles are in one part when they
// share an edge, directly or through others. The threads that read the
// edges of different places join triangles at the same time, so a link is
// set only by compare-and-swap on a root, and always to the lower triangle
// number: however the joins interleave, the links form no cycle and the
// root of a part is its first triangle.
class TriangleParts {
 public:
  static constexpr uint32_t kNoPart = UINT32_MAX;

  // For triangles 0 to `triangles` - 1 (fewer than kNoPart).
  explicit TriangleParts(std::size_t triangles);

  // Before any join, one of them for each triangle (on the threads that
  // check the triangles): `t` is a part of its own, or in none (its edges
  // do not count).
  void Enter(uint32_t t) { links_[t] = t; }
  void Leave(uint32_t t) { links_[t] = kNoPart; }

  // Puts triangles `a` and `b` in one part; true when they were in two.
  // Safe on several threads at once.
  bool Join(uint32_t a, uint32_t b);

  // The part of triangle `t` has an edge that does not close. Safe on
  // several threads at once.
  void MarkOpen(uint32_t t) {
    std::atomic_ref<uint8_t>(open_[t]).store(1, std::memory_order_relaxed);
  }

  // After the joins: numbers the parts from 0, in the order of their
  // first triangles.
  void Number();

  // After Number():
  std::size_t part_count() const { return first_triangles_.size(); }
  // The part of triangle `t`; kNoPart for one that left.
  uint32_t PartOf(uint32_t t) const { return links_[t]; }
  uint32_t FirstTriangle(uint32_t part) const { return first_triangles_[part]; }
  bool IsOpen(uint32_t part) const { return open_[part] != 0; }

  // After Number(), for those who read whole parts: lists the triangles
  // of each part, in order.
  void ListTriangles();
  // After ListTriangles():
  std::span<const uint32_t> TrianglesOf(uint32_t part) const {
    return std::span(listed_).subspan(
        list_starts_[part], list_starts_[part + 1] - list_starts_[part]);
  }

 private:
  std::atomic_ref<uint32_t> Link(uint32_t t) {
    return std::atomic_ref<uint32_t>(links_[t]);
  }
  // The root of `t`'s part, or of a part it was since joined to.
  uint32_t Find(uint32_t t);

  std::size_t triangles_;
  // Fresh pages, which cost nothing before they are used, and no pass to
  // clear them: the links are entered, the flags are zeros.
  work::PageBlock links_block_;
  work::PageBlock open_block_;
  // The next triangle towards each one's root, never a higher one; after
  // Number(), each triangle's part.
  uint32_t* links_;
  // Before Number() by triangle, after it by part.
  uint8_t* open_;
  std::vector<uint32_t> first_triangles_;
  // Each part's triangles from listed_[list_starts_[part]].
  std::vector<uint32_t> list_starts_;
  std::vector<uint32_t> listed_;
};

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_TRIANGLE_PARTS_H_
