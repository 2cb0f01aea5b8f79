#ifndef OBTMIRROR_WORK_RUN_PARTS_H_
#define OBTMIRROR_WORK_RUN_PARTS_H_

#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace work {

// Runs work(0) to work(parts - 1) and returns when all have ended: part 0
// on this thread, each other on a thread of its own where the system has
// one to give, else on this thread after part 0. The first exception that
// any part throws is thrown again here, once every part has ended.
template <typename Work>
void RunParts(std::size_t parts, const Work& work) {
  std::vector<std::exception_ptr> failures(parts);
  const auto run = [&work, &failures](std::size_t part) {
    try {
      work(part);
    } catch (...) {
      failures[part] = std::current_exception();
    }
  };
  std::size_t started = 1;
  {
    std::vector<std::jthread> helpers;
    try {
      helpers.reserve(parts);
      for (; started < parts; ++started) helpers.emplace_back(run, started);
    } catch (const std::system_error&) {
      // No more threads to be had: the parts not started run here.
    }
    run(0);
  }
  for (std::size_t part = started; part < parts; ++part) run(part);
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace work

#endif  // OBTMIRROR_WORK_RUN_PARTS_H_
