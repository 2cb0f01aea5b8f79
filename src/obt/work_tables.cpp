#include "obt/work_tables.h"

namespace obt {
namespace {

// Keeps storage that fits; makes it anew when it is too small, or so large
// that an earlier big run would otherwise hold its memory for good. The old
// storage is released before the new one is taken, so the two never add up.
template <typename T>
void Fit(std::unique_ptr<T[]>& storage, std::size_t& capacity,
         std::size_t count) {
  if (count <= capacity && count >= capacity / 4) return;
  storage.reset();
  capacity = 0;
  if (count == 0) return;
  storage = std::make_unique_for_overwrite<T[]>(count);
  capacity = count;
}

}  // namespace

void WorkTables::SizeForPoints(std::size_t count) {
  Fit(entries_, entry_capacity_, count);
}

void WorkTables::SizeForTriangles(std::size_t count) {
  Fit(entries_, entry_capacity_, count);
  Fit(fourth_values_, fourth_value_capacity_, count);
}

}  // namespace obt
