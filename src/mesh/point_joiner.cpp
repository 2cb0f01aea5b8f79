#include "mesh/point_joiner.h"

#include <utility>

namespace mesh {
namespace {

constexpr std::size_t kFirstSlots = 1 << 12;

// Neighbouring lattice points must land far apart, or linear probing
// clusters on a regular mesh.
uint64_t HashOf(const work::TableEntry& at) {
  uint64_t h = static_cast<uint32_t>(at[0]);
  h = h * 0x9E3779B97F4A7C15u ^ static_cast<uint32_t>(at[1]);
  h = h * 0xC2B2AE3D27D4EB4Fu ^ static_cast<uint32_t>(at[2]);
  h ^= h >> 29;
  h *= 0xBF58476D1CE4E5B9u;
  h ^= h >> 32;
  return h;
}

uint32_t TagOf(uint64_t hash) { return static_cast<uint32_t>(hash >> 32); }

}  // namespace

PointJoiner::PointJoiner() { Resize(kFirstSlots); }

void PointJoiner::Join(std::span<const work::TableEntry> points,
                       uint32_t* numbers) {
  // At most half full, so probes stay short.
  std::size_t slots = slot_count_;
  while (2 * (points_.size() + points.size()) > slots) slots *= 2;
  if (slots != slot_count_) Resize(slots);

  uint64_t hashes[kBatch];
  HashAndFetch(points, hashes);
  for (std::size_t i = 0; i < points.size(); ++i) {
    numbers[i] = JoinOne(points[i], hashes[i]);
  }
}

void PointJoiner::Find(std::span<const work::TableEntry> points,
                       uint32_t* numbers) const {
  uint64_t hashes[kBatch];
  HashAndFetch(points, hashes);
  for (std::size_t i = 0; i < points.size(); ++i) {
    // A free slot holds 0, which gives kAbsent.
    numbers[i] = SlotFor(points[i], hashes[i]).number_plus_one - 1;
  }
}

void PointJoiner::HashAndFetch(std::span<const work::TableEntry> points,
                               uint64_t* hashes) const {
  for (std::size_t i = 0; i < points.size(); ++i) {
    hashes[i] = HashOf(points[i]);
    __builtin_prefetch(table() + (hashes[i] & mask_));
  }
}

PointJoiner::Slot& PointJoiner::SlotFor(const work::TableEntry& at,
                                        uint64_t hash) const {
  const uint32_t tag = TagOf(hash);
  Slot* const slot_table = table();
  for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
    Slot& slot = slot_table[i];
    if (slot.number_plus_one == 0 ||
        (slot.tag == tag &&
         work::SameEntry(points_[slot.number_plus_one - 1], at))) {
      return slot;
    }
  }
}

uint32_t PointJoiner::JoinOne(const work::TableEntry& at, uint64_t hash) {
  Slot& slot = SlotFor(at, hash);
  if (slot.number_plus_one == 0) {
    const auto number = static_cast<uint32_t>(points_.size());
    slot = {number + 1, TagOf(hash)};
    points_.push_back(at);
  }
  return slot.number_plus_one - 1;
}

void PointJoiner::Expect(std::size_t vertices, std::size_t points) {
  points_.reserve(vertices);
  std::size_t slots = slot_count_;
  while (slots < 2 * points) slots *= 2;
  if (slots != slot_count_) Resize(slots);
}

void PointJoiner::Resize(std::size_t slots) {
  // The old table goes first: the new one is rebuilt from the points.
  slot_block_ = work::PageBlock();
  slot_block_ = work::PageBlock(slots * sizeof(Slot));
  slot_count_ = slots;
  mask_ = slots - 1;
  Slot* const slot_table = table();
  for (uint32_t number = 0; number < points_.size(); ++number) {
    const uint64_t hash = HashOf(points_[number]);
    std::size_t i = hash & mask_;
    while (slot_table[i].number_plus_one != 0) i = (i + 1) & mask_;
    slot_table[i] = {number + 1, TagOf(hash)};
  }
}

std::vector<work::TableEntry> PointJoiner::TakePoints() {
  std::vector<work::TableEntry> points = std::exchange(points_, {});
  Resize(kFirstSlots);
  return points;
}

}  // namespace mesh
