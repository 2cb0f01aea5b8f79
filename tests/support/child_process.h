#ifndef OBTMIRROR_TESTS_SUPPORT_CHILD_PROCESS_H_
#define OBTMIRROR_TESTS_SUPPORT_CHILD_PROCESS_H_

#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

// How a ChildProcess starts. Its standard input is /dev/null.
struct ChildSetup {
  std::string directory = ".";
  // Descriptors that become its standard output and error; -1: /dev/null.
  int standard_output = -1;
  int standard_error = -1;
  rlim_t file_size_limit = RLIM_INFINITY;
  // Drops to uid and gid 65534 when the tests run as root, so that
  // permission bits count.
  bool as_nobody = false;
};

// A program running beside the test, with every signal at its default
// action and none blocked, however the test itself was started. A child
// that is still running when the object goes is killed.
class ChildProcess {
 public:
  ChildProcess(const std::string& program,
               const std::vector<std::string>& arguments,
               const ChildSetup& setup);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  void Signal(int signal_number) const;
  // Waits for the child to end and returns its wait status; -1 when it
  // cannot be had, or when the child ran for minutes and was killed.
  int Wait();

 private:
  pid_t pid_ = -1;
  bool ended_ = false;
  int status_ = 0;
};

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_CHILD_PROCESS_H_
