#include "work/huge_pages.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace work {

bool HugePagesWanted() {
  static const bool wanted = [] {
    const char* const small = std::getenv("OBTMIRROR_SMALL_PAGES");
    return small == nullptr || std::string_view(small) != "1";
  }();
  return wanted;
}

void AdviseHugePages(void* data, std::size_t bytes) {
  if (!HugePagesWanted()) return;
  const auto begin = reinterpret_cast<std::uintptr_t>(data);
  const std::uintptr_t first = (begin + kHugePage - 1) / kHugePage * kHugePage;
  const std::uintptr_t end = (begin + bytes) / kHugePage * kHugePage;
  if (first >= end) return;
  // Without huge pages the memory works the same, only slower to take up.
  ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

}  // namespace work
