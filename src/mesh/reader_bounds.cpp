#include "mesh/reader_bounds.h"

#include <algorithm>

#include "mesh/reader_result.h"
#include "work/work_tables.h"

namespace mesh {
namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;
constexpr uint64_t kGiB = uint64_t{1} << 30;
constexpr uint64_t kLeastMemory = 512 * kMiB;
constexpr uint64_t kMemoryPerByte = 16;
// The largest object a run holds, read from a binary STL file of 3.2 GB.
constexpr uint64_t kMostMemory = 48 * kGiB;
constexpr uint64_t kLeastSeconds = 10;
constexpr uint64_t kBytesPerSecond = 4 * kMiB;
constexpr uint64_t kMostSeconds = 3600;

}  // namespace

ReaderBounds BoundsFor(const ReaderLimits& limits, uint64_t base,
                       uint64_t bytes) {
  ReaderBounds bounds;
  bounds.memory_hard = limits.memory.value_or(base + kMostMemory);
  const uint64_t grown =
      base + kLeastMemory + std::min(bytes, kMostMemory) * kMemoryPerByte;
  bounds.memory_soft =
      limits.memory.value_or(std::min(grown, bounds.memory_hard));
  // One second after the soft bound, the system ends the process for good.
  bounds.seconds_hard = limits.seconds.value_or(kMostSeconds) + 1;
  bounds.seconds_soft = limits.seconds.value_or(
      std::min(kLeastSeconds + bytes / kBytesPerSecond, kMostSeconds));
  bounds.result_bytes = LargestResult();
  return bounds;
}

uint64_t LargestResult() {
  const auto most = static_cast<std::size_t>(work::kTableCapacity);
  return ReaderListsEnd(most, most) + kLongestTexts;
}

}  // namespace mesh
