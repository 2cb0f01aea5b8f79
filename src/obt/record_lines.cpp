#include "obt/record_lines.h"

#include <algorithm>

namespace obt {

int64_t RecordLines::LineOf(int64_t record) const {
  const auto after = std::upper_bound(
      breaks_.begin(), breaks_.end(), record,
      [](int64_t wanted, const Break& b) { return wanted < b.record; });
  if (after == breaks_.begin()) return 0;
  return Predicted(*(after - 1), record);
}

}  // namespace obt
