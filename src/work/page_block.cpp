#include "work/page_block.h"

#include <sys/mman.h>

#include <algorithm>
#include <new>
#include <utility>

#include "work/huge_pages.h"

namespace work {
namespace {

constexpr std::size_t kPage = 4096;

std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
  return (bytes + unit - 1) / unit * unit;
}

}  // namespace

PageBlock::PageBlock(std::size_t bytes) {
  if (bytes == 0) return;
  // A block smaller than a huge page gets small ones: the first touch of a
  // huge page zeroes all two megabytes of it, which a small run would spend
  // most of its time on.
  const bool huge = bytes >= kHugePage;
  const std::size_t rounded = RoundUp(bytes, huge ? kHugePage : kPage);
  // Address space only: memory is charged page by page as it is used.
  void* mapped = ::mmap(nullptr, rounded, PROT_READ | PROT_WRITE,
                        MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  if (huge) AdviseHugePages(mapped, rounded);
  data_ = mapped;
  mapped_ = rounded;
}

void PageBlock::Discard(std::size_t from, std::size_t to) const {
  const std::size_t start = RoundUp(from, kPage);
  const std::size_t end = RoundUp(std::min(to, mapped_), kPage);
  if (start >= end) return;
  ::madvise(static_cast<char*>(data_) + start, end - start, MADV_DONTNEED);
}

PageBlock::~PageBlock() { Release(); }

PageBlock::PageBlock(PageBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      mapped_(std::exchange(other.mapped_, 0)) {}

PageBlock& PageBlock::operator=(PageBlock&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    mapped_ = std::exchange(other.mapped_, 0);
  }
  return *this;
}

void PageBlock::Release() {
  if (data_ != nullptr) ::munmap(data_, mapped_);
  data_ = nullptr;
  mapped_ = 0;
}

}  // namespace work
