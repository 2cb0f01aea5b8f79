#ifndef OBTMIRROR_TESTS_SUPPORT_RUN_PROCESS_H_
#define OBTMIRROR_TESTS_SUPPORT_RUN_PROCESS_H_

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace testing_support {

struct ProcessResult {
  int exit_status = -1;  // -1 when the process did not exit normally
  bool timed_out = false;
  std::string standard_output;
  std::string standard_error;
};

// Runs a program with the given arguments in `directory`, with standard
// input closed, and collects both output streams. A program still running
// after `timeout` (long enough for any of ours under the sanitizers) is
// killed, so that a hang fails its test instead of stopping the whole run.
// Throws when the program cannot be started.
ProcessResult RunProcess(
    const std::string& program, const std::vector<std::string>& arguments,
    const std::string& directory,
    std::chrono::milliseconds timeout = std::chrono::seconds(120));

// A FIFO at `path` that a child process fills with `head` and then with
// `filler` over and over: input that never ends. The child and the FIFO go
// with the object.
class EndlessFifo {
 public:
  EndlessFifo(const std::string& path, const std::string& head,
              const std::string& filler);
  ~EndlessFifo();
  EndlessFifo(const EndlessFifo&) = delete;
  EndlessFifo& operator=(const EndlessFifo&) = delete;

 private:
  std::string path_;
  pid_t writer_ = -1;
};

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_RUN_PROCESS_H_
