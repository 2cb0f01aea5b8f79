#ifndef OBTMIRROR_GEOMETRY_FINGERPRINT_INDEX_H_
#define OBTMIRROR_GEOMETRY_FINGERPRINT_INDEX_H_

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "work/page_block.h"

namespace geometry {

// A 64-bit hash of three 32-bit values; every bit of each value reaches the
// high bits, which pick the slot.
inline uint64_t HashTriple(const std::array<int32_t, 3>& values) {
  uint64_t hash = 0x9E3779B97F4A7C15u;
  for (const int32_t value : values) {
    hash = (hash ^ static_cast<uint32_t>(value)) * 0xBF58476D1CE4E5B9u;
    hash ^= hash >> 31;
  }
  hash *= 0x94D049BB133111EBu;
  // The low bits, the fingerprint, get something of the high ones too.
  return hash ^ (hash >> 32);
}

// Numbers (of points, of triangles, of groups) found by a key that the
// caller keeps: open addressing over 8-byte slots that hold a number and 32
// bits of its key's hash, so that a probe seldom needs the key itself. The
// caller gives the hash and, for a slot whose bits agree, whether the
// number there has the key.
class FingerprintIndex {
 public:
  // Room for `count` numbers, at most half the slots full.
  explicit FingerprintIndex(std::size_t count) {
    const int bits = std::max(4, static_cast<int>(std::bit_width(count)) + 1);
    shift_ = 64 - bits;
    mask_ = (std::size_t{1} << bits) - 1;
    // Fresh pages read as zeros: every slot starts empty.
    block_ = work::PageBlock(sizeof(Slot) << bits);
  }

  // The number stored under the key; when there is none, stores `number`
  // and returns it.
  template <typename HasKey>
  uint32_t FindOrInsert(uint64_t hash, uint32_t number, HasKey has_key) {
    const uint32_t fingerprint = static_cast<uint32_t>(hash);
    for (std::size_t i = hash >> shift_;; i = (i + 1) & mask_) {
      Slot& slot = slots()[i];
      if (slot.number_plus_one == 0) {
        slot = {number + 1, fingerprint};
        return number;
      }
      if (slot.fingerprint == fingerprint &&
          has_key(slot.number_plus_one - 1)) {
        return slot.number_plus_one - 1;
      }
    }
  }

  // Has the slot where a search for the hash starts fetched into the cache.
  void Prefetch(uint64_t hash) const {
    __builtin_prefetch(&slots()[hash >> shift_]);
  }

  template <typename HasKey>
  std::optional<uint32_t> Find(uint64_t hash, HasKey has_key) const {
    const uint32_t fingerprint = static_cast<uint32_t>(hash);
    for (std::size_t i = hash >> shift_;; i = (i + 1) & mask_) {
      const Slot& slot = slots()[i];
      if (slot.number_plus_one == 0) return std::nullopt;
      if (slot.fingerprint == fingerprint &&
          has_key(slot.number_plus_one - 1)) {
        return slot.number_plus_one - 1;
      }
    }
  }

 private:
  struct Slot {
    // 0 for an empty slot.
    uint32_t number_plus_one = 0;
    uint32_t fingerprint = 0;
  };

  Slot* slots() const { return static_cast<Slot*>(block_.data()); }

  work::PageBlock block_;
  std::size_t mask_ = 0;
  int shift_ = 60;
};

// Calls take(i, key, hash) for i = 0 .. count - 1 in order, where key is
// key_of(i) and hash its HashTriple, with the slot of each hash fetched a
// few keys ahead: the misses of a table larger than the caches then
// overlap instead of coming one after the other.
template <typename KeyOf, typename Take>
void ForEachKey(const FingerprintIndex& index, std::size_t count, KeyOf key_of,
                Take take) {
  constexpr std::size_t kAhead = 16;
  std::array<std::array<int32_t, 3>, kAhead> keys;
  std::array<uint64_t, kAhead> hashes;
  for (std::size_t i = 0; i < count + kAhead; ++i) {
    if (i >= kAhead) {
      const std::size_t slot = (i - kAhead) % kAhead;
      take(i - kAhead, keys[slot], hashes[slot]);
    }
    if (i < count) {
      const std::size_t slot = i % kAhead;
      keys[slot] = key_of(i);
      hashes[slot] = HashTriple(keys[slot]);
      index.Prefetch(hashes[slot]);
    }
  }
}

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_FINGERPRINT_INDEX_H_
