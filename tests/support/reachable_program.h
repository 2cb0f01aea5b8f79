#ifndef OBTMIRROR_TESTS_SUPPORT_REACHABLE_PROGRAM_H_
#define OBTMIRROR_TESTS_SUPPORT_REACHABLE_PROGRAM_H_

#include <optional>
#include <string>

#include "support/temp_dir.h"

namespace testing_support {

// A program of the build that a child run as nobody can start. A build in
// a folder other users cannot enter (a home of mode 0700, /root) is out of
// nobody's reach: the program is then copied, with the library folder
// beside its own, into a temporary folder that anyone may enter.
class ReachableProgram {
 public:
  explicit ReachableProgram(const std::string& program);

  const std::string& path() const { return path_; }

 private:
  std::optional<TempDir> copy_;
  std::string path_;
};

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_REACHABLE_PROGRAM_H_
