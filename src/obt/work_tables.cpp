#include "obt/work_tables.h"

#include <algorithm>
#include <system_error>

namespace obt {
namespace {

// Below this many bytes of copies the helper thread costs more than the
// page faults it saves.
constexpr std::size_t kPopulateThreshold = std::size_t{4} << 20;

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

void WorkTables::Reserve() {
  if (!entries_.empty()) return;
  entries_ = PageBlock(kTableCapacity * sizeof(TableEntry));
  fourth_values_ = PageBlock(kTableCapacity);
}

void WorkTables::Prepare(std::size_t count, std::size_t source_count,
                         bool with_fourth_values) {
  if (populating_.joinable()) populating_.join();
  Reserve();
  Trim(entries_, sizeof(TableEntry), count, entries_used_);
  if (with_fourth_values) {
    Trim(fourth_values_, 1, count, fourth_values_used_);
  }
  if ((count - source_count) * sizeof(TableEntry) < kPopulateThreshold) {
    return;
  }
  try {
    populating_ = std::jthread([this, count, source_count, with_fourth_values] {
      entries_.Populate(source_count * sizeof(TableEntry),
                        count * sizeof(TableEntry));
      if (with_fourth_values) fourth_values_.Populate(source_count, count);
    });
  } catch (const std::system_error&) {
    // No thread to be had: the pages get their memory on first use.
  }
}

void WorkTables::SizeForPoints(std::size_t count, std::size_t source_count) {
  Prepare(count, source_count, false);
}

void WorkTables::SizeForTriangles(std::size_t count, std::size_t source_count) {
  Prepare(count, source_count, true);
}

}  // namespace obt
