#ifndef OBTMIRROR_WORK_HUGE_PAGES_H_
#define OBTMIRROR_WORK_HUGE_PAGES_H_

#include <cstddef>

namespace work {

// The memory policy of the whole program, in one place. Two kinds of memory
// are advised to come in transparent huge pages, since with pages of 4 KiB
// each page costs a fault of its own and the faults of a large run took
// longer than its work:
// - the work tables and the writers' buffers, which are PageBlocks of a
//   huge page or more, in the window as on the command line;
// - every block of 4 MiB or more that the command line's operator new hands
//   out (cli/large_blocks.cpp), the asset library's arrays and the check's
//   and the weld's vectors among them.
// Smaller blocks get small pages: the first touch of a huge page zeroes all
// of it. AdviseHugePages is the one call that asks for huge pages.
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

}  // namespace work

#endif  // OBTMIRROR_WORK_HUGE_PAGES_H_
