#ifndef OBTMIRROR_WORK_HUGE_PAGES_H_
#define OBTMIRROR_WORK_HUGE_PAGES_H_

#include <cstddef>
#include <iterator>
#include <vector>

namespace work {

// The memory policy of the whole program, in one place: large tables, large
// buffers and every block of some megabytes that the command line's
// operator new hands out (the asset library's arrays too) are advised to
// come in transparent huge pages, since with pages of 4 KiB each page costs
// a fault of its own and the faults of a large run took longer than its
// work. Smaller blocks get small pages: the first touch of a huge page
// zeroes all of it. Nothing else asks for huge pages; AdviseHugePages is
// the one call that does.
//
// OBTMIRROR_SMALL_PAGES=1 in the environment turns the advice off, to
// measure what it brings (bench/README.md).

// The size of a huge page on the machines we run on.
inline constexpr std::size_t kHugePage = std::size_t{2} << 20;

// False when OBTMIRROR_SMALL_PAGES=1 turns the advice off.
bool HugePagesWanted();

// Asks the system to back the whole huge pages inside [data, data + bytes)
// with huge pages when they are first used. Meant for a large buffer that
// has just been allocated and that nothing has touched yet: each 4 KiB page
// of it would otherwise cost a page fault of its own, which on some
// machines takes longer than filling the page. Only advice; pages already
// in use keep their size.
void AdviseHugePages(void* data, std::size_t bytes);

// Room for `count` elements in `items`, taken new and advised as above;
// the elements it holds are kept. Leaves a vector with room enough alone.
// A large room reaches a huge page further, never touched unless filled,
// so that the last of the `count` elements lie in huge pages too.
template <typename T>
void ReserveInHugePages(std::vector<T>& items, std::size_t count) {
  if (count <= items.capacity()) return;
  const std::size_t room =
      count * sizeof(T) < kHugePage ? count : count + kHugePage / sizeof(T);
  std::vector<T> larger;
  larger.reserve(room);
  AdviseHugePages(larger.data(), room * sizeof(T));
  larger.insert(larger.end(), std::make_move_iterator(items.begin()),
                std::make_move_iterator(items.end()));
  items.swap(larger);
}

// `items` as `count` copies of `value`, in new room advised as above where
// it needs more than it has.
template <typename T>
void AssignInHugePages(std::vector<T>& items, std::size_t count,
                       const T& value) {
  items.clear();
  ReserveInHugePages(items, count);
  items.assign(count, value);
}

}  // namespace work

#endif  // OBTMIRROR_WORK_HUGE_PAGES_H_
