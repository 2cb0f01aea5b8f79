#include "geometry/triangle_parts.h"

#include <algorithm>
#include <utility>

namespace geometry {

static_assert(std::atomic_ref<uint32_t>::required_alignment <=
              alignof(uint32_t));

TriangleParts::TriangleParts(std::size_t triangles)
    : triangles_(triangles),
      links_block_(std::max<std::size_t>(triangles, 1) * sizeof(uint32_t)),
      open_block_(std::max<std::size_t>(triangles, 1)),
      links_(static_cast<uint32_t*>(links_block_.data())),
      open_(static_cast<uint8_t*>(open_block_.data())) {}

uint32_t TriangleParts::Find(uint32_t t) {
  // Path halving. A link read late is still one towards the root, and one
  // written late still points at an ancestor, so no order is needed.
  for (;;) {
    const uint32_t parent = Link(t).load(std::memory_order_relaxed);
    if (parent == t) return t;
    const uint32_t grandparent = Link(parent).load(std::memory_order_relaxed);
    if (grandparent != parent) {
      Link(t).store(grandparent, std::memory_order_relaxed);
    }
    t = grandparent;
  }
}

bool TriangleParts::Join(uint32_t a, uint32_t b) {
  for (;;) {
    a = Find(a);
    b = Find(b);
    if (a == b) return false;
    if (a < b) std::swap(a, b);
    // Fails when another thread has linked `a` meanwhile: try again from
    // where it went.
    uint32_t expected = a;
    if (Link(a).compare_exchange_weak(expected, b, std::memory_order_relaxed)) {
      return true;
    }
  }
}

void TriangleParts::Number() {
  // In place, in triangle order: a link points lower, so it reaches a
  // triangle that already holds its part's number. A part is numbered at
  // its first triangle, never lower than its number, so the flag of
  // triangle `part` is read before part `part` writes its own there.
  first_triangles_.clear();
  for (uint32_t t = 0; t < triangles_; ++t) {
    const uint32_t link = links_[t];
    if (link == kNoPart) continue;
    if (link == t) {
      const auto part = static_cast<uint32_t>(first_triangles_.size());
      first_triangles_.push_back(t);
      links_[t] = part;
      open_[part] = open_[t];
    } else {
      const uint32_t part = links_[link];
      links_[t] = part;
      open_[part] |= open_[t];
    }
  }
}

void TriangleParts::ListTriangles() {
  list_starts_.assign(part_count() + 1, 0);
  for (uint32_t t = 0; t < triangles_; ++t) {
    if (links_[t] != kNoPart) ++list_starts_[links_[t] + 1];
  }
  for (std::size_t part = 0; part < part_count(); ++part) {
    list_starts_[part + 1] += list_starts_[part];
  }
  listed_.resize(list_starts_.back());
  std::vector<uint32_t> next(list_starts_.begin(), list_starts_.end() - 1);
  for (uint32_t t = 0; t < triangles_; ++t) {
    if (links_[t] != kNoPart) listed_[next[links_[t]]++] = t;
  }
}

}  // namespace geometry
