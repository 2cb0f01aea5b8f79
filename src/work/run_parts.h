#ifndef OBTMIRROR_WORK_RUN_PARTS_H_
#define OBTMIRROR_WORK_RUN_PARTS_H_

#include <cstddef>
#include <exception>
#include <vector>

#include "work/background.h"

namespace work {

// Runs work(0) to work(parts - 1) and returns when all have ended: part 0
// on this thread, each other on a thread of its own where the system has
// one to give, else on this thread after part 0. The first exception that
// any part throws is thrown again here, once every part has ended.
template <typename Work>
void RunParts(std::size_t parts, const Work& work) {
  if (parts == 0) return;
  std::exception_ptr first_failure;
  std::size_t started = 1;
  {
    std::vector<Background> helpers(parts - 1);
    for (; started < parts; ++started) {
      if (!helpers[started - 1].Start([&work, started] { work(started); })) {
        // No more threads to be had: the parts not started run here.
        break;
      }
    }
    try {
      work(0);
    } catch (...) {
      first_failure = std::current_exception();
    }
    for (std::size_t part = 1; part < started; ++part) {
      try {
        helpers[part - 1].Wait();
      } catch (...) {
        if (!first_failure) first_failure = std::current_exception();
      }
    }
  }
  for (std::size_t part = started; part < parts; ++part) {
    try {
      work(part);
    } catch (...) {
      if (!first_failure) first_failure = std::current_exception();
    }
  }
  if (first_failure) std::rethrow_exception(first_failure);
}

}  // namespace work

#endif  // OBTMIRROR_WORK_RUN_PARTS_H_
