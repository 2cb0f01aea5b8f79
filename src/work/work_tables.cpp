#include "work/work_tables.h"

#include <algorithm>
#include <new>

namespace work {
namespace {

// Memory used beyond four times what a run needs goes back to the system,
// so that one big run does not hold its memory for good; a series of runs
// of about the same size keeps and reuses it.
void Trim(const PageBlock& block, std::size_t element_size, std::size_t needed,
          std::size_t& used) {
  if (used > 4 * needed) {
    block.Discard(needed * element_size, used * element_size);
    used = needed;
  }
  used = std::max(used, needed);
}

}  // namespace

bool WorkTables::Reserve(std::size_t count) {
  if (count <= capacity_) return true;
  // The whole capacity when the system grants that much address space, so
  // that no later run has to move; else just what this run needs.
  for (const std::size_t size :
       {static_cast<std::size_t>(kTableCapacity), count}) {
    entries_ = PageBlock();
    fourth_values_ = PageBlock();
    capacity_ = entries_used_ = fourth_values_used_ = 0;
    try {
      entries_ = PageBlock(size * sizeof(TableEntry));
      fourth_values_ = PageBlock(size);
      capacity_ = size;
      return true;
    } catch (const std::bad_alloc&) {
      // Try the smaller size, or give up.
    }
  }
  // The last try may have got the one block without the other.
  entries_ = PageBlock();
  return false;
}

bool WorkTables::Prepare(std::size_t count, std::size_t used,
                         bool with_fourth_values) {
  if (!Reserve(count)) return false;
  Trim(entries_, sizeof(TableEntry), used, entries_used_);
  if (with_fourth_values) {
    Trim(fourth_values_, 1, used, fourth_values_used_);
  }
  return true;
}

bool WorkTables::SizeForPoints(std::size_t count, std::size_t source_count) {
  triangles_first_ = 0;
  return Prepare(count, source_count, false);
}

bool WorkTables::SizeForTriangles(std::size_t count, std::size_t source_count,
                                  std::size_t first) {
  triangles_first_ = first;
  return Prepare(std::max(count, first + source_count), first + source_count,
                 true);
}

}  // namespace work
