#ifndef OBTMIRROR_TESTS_CLI_CLI_CHILD_H_
#define OBTMIRROR_TESTS_CLI_CLI_CHILD_H_

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace cli_test {

// Standard error of a child, caught in a file outside the directory the
// child works in.
class ErrorCapture {
 public:
  ErrorCapture()
      : fd_(::open(dir_.File("stderr").c_str(),
                   O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600)) {}
  ~ErrorCapture() {
    if (fd_ >= 0) ::close(fd_);
  }
  ErrorCapture(const ErrorCapture&) = delete;
  ErrorCapture& operator=(const ErrorCapture&) = delete;

  int fd() const { return fd_; }
  std::string Text() const {
    return testing_support::ReadFile(dir_.File("stderr"));
  }

 private:
  testing_support::TempDir dir_;
  int fd_;
};

// The exit status of a child that exited, else -1.
inline int ExitStatus(int wait_status) {
  return WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
}

}  // namespace cli_test

#endif  // OBTMIRROR_TESTS_CLI_CLI_CHILD_H_
