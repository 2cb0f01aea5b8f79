#ifndef OBTMIRROR_WORK_BACKGROUND_H_
#define OBTMIRROR_WORK_BACKGROUND_H_

#include <exception>
#include <system_error>
#include <thread>
#include <utility>

namespace work {

// Work on a thread of its own, owned like a value: the only place the
// program starts a thread. The owner waits for the work with Wait, which
// throws again what the work threw; going out of scope waits too, and then
// drops what it threw, since the owner is already on its way out.
//
// A Background that works on its owner's members is the owner's last
// member, so that it ends before what it reads goes.
class Background {
 public:
  Background() = default;
  ~Background() { End(); }
  Background(const Background&) = delete;
  Background& operator=(const Background&) = delete;

  // Starts `work` on a thread of its own; false when the system has no
  // thread to give, and then `work` has not run and is gone, and the caller
  // does the work itself. Waits first for work started before.
  template <typename Work>
  bool Start(Work work) {
    End();
    try {
      thread_ = std::jthread([this, work = std::move(work)]() mutable {
        try {
          work();
        } catch (...) {
          failure_ = std::current_exception();
        }
      });
      return true;
    } catch (const std::system_error&) {
      return false;
    }
  }

  // Whether work was started and not yet waited for.
  bool Started() const { return thread_.joinable(); }

  // Waits for the work to end and throws again what it threw, if anything.
  void Wait() {
    if (thread_.joinable()) thread_.join();
    if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
  }

 private:
  void End() {
    if (thread_.joinable()) thread_.join();
    failure_ = nullptr;
  }

  std::exception_ptr failure_;
  std::jthread thread_;
};

}  // namespace work

#endif  // OBTMIRROR_WORK_BACKGROUND_H_
