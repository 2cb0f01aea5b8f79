#ifndef OBTMIRROR_OBT_WORK_TABLES_H_
#define OBTMIRROR_OBT_WORK_TABLES_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace obt {

// The most entries one table may hold: the source object and all its copies
// together. A run that needs more is refused before anything is allocated.
inline constexpr int64_t kTableCapacity = 67'108'864;

// A point's x, y, z or a triangle's first, second and third point number.
using TableEntry = std::array<int32_t, 3>;

// The conversion's work tables. The points and the triangles share one
// storage area, since every point has reached the target before the first
// triangle is read. Entry i of the file's numbering (from 1) lives at
// index i - 1.
//
// The storage is sized for each run and kept for the next one; it is made
// anew only when it is too small or far too large, and never cleared.
class WorkTables {
 public:
  // Room for `count` point entries (count <= kTableCapacity).
  void SizeForPoints(std::size_t count);
  // Room for `count` triangle entries and as many FourthValues.
  void SizeForTriangles(std::size_t count);

  TableEntry* points() { return entries_.get(); }
  TableEntry* triangles() { return entries_.get(); }
  uint8_t* fourth_values() { return fourth_values_.get(); }

 private:
  std::unique_ptr<TableEntry[]> entries_;
  std::size_t entry_capacity_ = 0;
  std::unique_ptr<uint8_t[]> fourth_values_;
  std::size_t fourth_value_capacity_ = 0;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_WORK_TABLES_H_
