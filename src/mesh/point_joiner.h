#ifndef OBTMIRROR_MESH_POINT_JOINER_H_
#define OBTMIRROR_MESH_POINT_JOINER_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "work/page_block.h"
#include "work/work_tables.h"

namespace mesh {

// Makes one point of all vertices at the same integer coordinates, numbered
// in the order they are first seen. An STL file repeats every corner once
// per triangle, so a million-point object means six million lookups in a
// table far larger than the caches: they are made a batch at a time, with
// the table's memory fetched for the whole batch before the first lookup.
class PointJoiner {
 public:
  // Lookups made at once by Join.
  static constexpr std::size_t kBatch = 32;

  PointJoiner();

  // numbers[i] becomes the number of the point at points[i], a new one when
  // nothing was there yet; at most kBatch points.
  void Join(std::span<const work::TableEntry> points, uint32_t* numbers);

  // numbers[i] becomes the number of the point at points[i], or kAbsent
  // when the joiner has none there; at most kBatch points. Finding changes
  // nothing, so threads may find at once.
  void Find(std::span<const work::TableEntry> points, uint32_t* numbers) const;

  static constexpr uint32_t kAbsent = UINT32_MAX;

  std::size_t point_count() const { return points_.size(); }

  // Prepares for joining `vertices` vertices into about `points` points:
  // room for as many points as vertices, taken from the system only as
  // they come, so that the list never moves, and a table that holds
  // `points` without growing.
  void Expect(std::size_t vertices, std::size_t points);

  // The points in order of their numbers; the joiner is empty afterwards.
  std::vector<work::TableEntry> TakePoints();

 private:
  // A point's number plus one (0 in a free slot) and the upper half of its
  // hash, which settles nearly every comparison without a look at the
  // point itself. Eight bytes a slot keep the table small beside the scene
  // it is built from, and a free slot being all zeros lets a new table
  // start as fresh pages, which the system hands out zeroed.
  struct Slot {
    uint32_t number_plus_one;
    uint32_t tag;
  };

  // The hashes of `points`, whose slots are fetched meanwhile.
  void HashAndFetch(std::span<const work::TableEntry> points,
                    uint64_t* hashes) const;
  // The slot that holds the point at `at`, or the free one where it goes.
  Slot& SlotFor(const work::TableEntry& at, uint64_t hash) const;
  uint32_t JoinOne(const work::TableEntry& at, uint64_t hash);
  void Resize(std::size_t slots);

  Slot* table() const { return static_cast<Slot*>(slot_block_.data()); }

  work::PageBlock slot_block_;
  std::size_t slot_count_ = 0;
  std::size_t mask_ = 0;
  std::vector<work::TableEntry> points_;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_POINT_JOINER_H_
