#ifndef OBTMIRROR_WORK_PAGE_BLOCK_H_
#define OBTMIRROR_WORK_PAGE_BLOCK_H_

#include <cstddef>

namespace work {

// A range of address space taken straight from the system, whose pages get
// memory (zeroed) only when first used, and which the kernel may back with
// huge pages. The work tables of a large run fill some hundred megabytes;
// with 4 KiB pages the page faults alone would cost more than the filling.
class PageBlock {
 public:
  PageBlock() = default;
  // Room for `bytes` bytes; throws std::bad_alloc when the system has no
  // address space left.
  explicit PageBlock(std::size_t bytes);
  ~PageBlock();
  PageBlock(PageBlock&& other) noexcept;
  PageBlock& operator=(PageBlock&& other) noexcept;
  PageBlock(const PageBlock&) = delete;
  PageBlock& operator=(const PageBlock&) = delete;

  void* data() const { return data_; }
  bool empty() const { return data_ == nullptr; }

  // Gives the memory of the pages from the first that starts at or after
  // byte `from` to the one that holds byte `to` - 1 back to the system;
  // they read as zero afterwards. The bytes from `to` to the end of its
  // page go too: they must be unused.
  void Discard(std::size_t from, std::size_t to) const;

 private:
  void Release();

  void* data_ = nullptr;
  std::size_t mapped_ = 0;
};

}  // namespace work

#endif  // OBTMIRROR_WORK_PAGE_BLOCK_H_
