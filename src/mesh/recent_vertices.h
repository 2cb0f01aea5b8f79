#ifndef OBTMIRROR_MESH_RECENT_VERTICES_H_
#define OBTMIRROR_MESH_RECENT_VERTICES_H_

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace mesh {

// The point numbers of vertices joined lately, by the bits of their
// coordinates as the scene holds them. A mesh that repeats each corner for
// every triangle that uses it (as an STL file does) meets a point again a
// few thousand vertices later; such a repeat is found here, in a table
// small enough to stay in the processor's cache, without rounding the
// vertex again or looking it up in the joiner's table, which is far larger.
// Equal bits round to the same point, so a vertex found here has the
// number the joiner would give it.
class RecentVertices {
 public:
  using Key = std::array<uint32_t, 3>;

  RecentVertices() : entries_(std::make_unique<Entry[]>(kEntries)) {}

  static Key KeyOf(float x, float y, float z) {
    return {std::bit_cast<uint32_t>(x), std::bit_cast<uint32_t>(y),
            std::bit_cast<uint32_t>(z)};
  }

  // The number remembered for `key`, or kNone.
  uint32_t Find(const Key& key) const {
    const Entry& entry = entries_[IndexOf(key)];
    // Field by field: the library's comparison of arrays calls memcmp.
    const bool same = entry.key[0] == key[0] && entry.key[1] == key[1] &&
                      entry.key[2] == key[2];
    return same ? entry.number_plus_one - 1 : kNone;
  }

  // Remembers `number` for `key`, in place of what had its entry.
  void Remember(const Key& key, uint32_t number) {
    entries_[IndexOf(key)] = {key, number + 1};
  }

  // Forgets everything: the numbers hold for the vertices of one mesh
  // instance only, under its transform.
  void Clear() { std::fill_n(entries_.get(), kEntries, Entry{}); }

  static constexpr uint32_t kNone = UINT32_MAX;

 private:
  struct Entry {
    Key key{};
    // 0 in an entry that holds nothing: Find then gives kNone.
    uint32_t number_plus_one = 0;
  };

  static constexpr int kIndexBits = 14;
  static constexpr std::size_t kEntries = std::size_t{1} << kIndexBits;

  static std::size_t IndexOf(const Key& key) {
    const uint64_t mixed = key[0] * 0x9E3779B97F4A7C15u ^
                           key[1] * 0xC2B2AE3D27D4EB4Fu ^
                           key[2] * 0x165667B19E3779F9u;
    return static_cast<std::size_t>(mixed >> (64 - kIndexBits));
  }

  std::unique_ptr<Entry[]> entries_;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_RECENT_VERTICES_H_
