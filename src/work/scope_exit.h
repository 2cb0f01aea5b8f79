#ifndef OBTMIRROR_WORK_SCOPE_EXIT_H_
#define OBTMIRROR_WORK_SCOPE_EXIT_H_

#include <utility>

namespace work {

// Runs an action when the scope is left, by return or by exception: the
// clean-up that work owes its caller however it ends (closing files,
// enabling controls again).
template <typename Action>
class ScopeExit {
 public:
  explicit ScopeExit(Action action) : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  Action action_;
};

}  // namespace work

#endif  // OBTMIRROR_WORK_SCOPE_EXIT_H_
