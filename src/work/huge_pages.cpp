#include "work/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>

namespace work {

void AdviseHugePages(void* data, std::size_t bytes) {
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kHugePage - 1) / kHugePage * kHugePage;
  const std::uintptr_t end = (begin + bytes) / kHugePage * kHugePage;
  if (first >= end) return;
  // Without huge pages the memory works the same, only slower to take up.
  ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace work
