#ifndef OBTMIRROR_WORK_WORK_TABLES_H_
#define OBTMIRROR_WORK_WORK_TABLES_H_

#include <array>
#include <cstddef>
#include <cstdint>

#include "work/page_block.h"

namespace work {

// The most entries one table may hold: the source object and all its copies
// together. A run that needs more is refused before anything is allocated.
inline constexpr int64_t kTableCapacity = 67'108'864;

// A point's x, y, z or a triangle's first, second and third point number.
using TableEntry = std::array<int32_t, 3>;

// a == b, field by field: the library's comparison of arrays calls memcmp,
// which costs more than the comparison in a loop over millions of points.
inline bool SameEntry(const TableEntry& a, const TableEntry& b) {
  return a[0] == b[0] && a[1] == b[1] && a[2] == b[2];
}

// The conversion's work tables. The points and the triangles share one
// storage area, since every point has reached the target before the first
// triangle is read. Entry i of the file's numbering (from 1) lives at
// index i - 1. Only the source's entries are held: the copies are made from
// them line by line as the output is written.
//
// The storage spans the whole capacity as address space, taken once (or,
// where the system grants less, what the largest run so far needed); its
// pages get memory when a run first uses them, keep it for the next run,
// and give it back when a run needs far less. Nothing is ever cleared.
class WorkTables {
 public:
  // Room for a run of `count` point entries, the source's and its copies'
  // (count <= kTableCapacity); false when the system has no address space
  // for that many. Only the first `source_count` entries ever get memory.
  bool SizeForPoints(std::size_t count, std::size_t source_count);
  // Room for `count` triangle entries and as many FourthValues, the same
  // way. The source's entries may start at entry `first` instead of the
  // first, behind the points' `first` entries, so that the points can be
  // written while the triangles are read.
  bool SizeForTriangles(std::size_t count, std::size_t source_count,
                        std::size_t first = 0);

  // Whether `count` entries fit the storage as it is: no sizing for that
  // many moves the entries already there.
  bool Holds(std::size_t count) const { return count <= capacity_; }

  TableEntry* points() { return static_cast<TableEntry*>(entries_.data()); }
  TableEntry* triangles() { return points() + triangles_first_; }
  uint8_t* fourth_values() {
    return static_cast<uint8_t*>(fourth_values_.data());
  }

 private:
  // Room for `count` entries in both tables; false when the system has
  // none.
  bool Reserve(std::size_t count);
  // Room for `count` entries, of which the first `used` get memory; gives
  // back memory far beyond that.
  bool Prepare(std::size_t count, std::size_t used, bool with_fourth_values);

  PageBlock entries_;
  PageBlock fourth_values_;
  std::size_t capacity_ = 0;
  // How many entries, from the first, may hold memory.
  std::size_t entries_used_ = 0;
  std::size_t fourth_values_used_ = 0;
  std::size_t triangles_first_ = 0;
};

}  // namespace work

#endif  // OBTMIRROR_WORK_WORK_TABLES_H_
