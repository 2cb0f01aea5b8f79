#ifndef OBTMIRROR_GEOMETRY_HASH_MIX_H_
#define OBTMIRROR_GEOMETRY_HASH_MIX_H_

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace geometry {

// Spreads the bits of a key over all 64, so that keys that differ in a few
// low bits (neighbouring point numbers) land far apart in a hash table.
constexpr uint64_t MixBits(uint64_t key) {
  key ^= key >> 33;
  key *= 0xff51afd7ed558ccdULL;
  key ^= key >> 33;
  key *= 0xc4ceb9fe1a85ec53ULL;
  key ^= key >> 33;
  return key;
}

// Slots for an open-addressing table of up to `entries` keys, a power of
// two, at most three quarters full.
constexpr std::size_t TableSlotsFor(std::size_t entries) {
  return std::bit_ceil(std::max<std::size_t>(16, entries + entries / 3 + 1));
}

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_HASH_MIX_H_
