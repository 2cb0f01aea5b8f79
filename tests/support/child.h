#ifndef OBTMIRROR_TESTS_SUPPORT_CHILD_H_
#define OBTMIRROR_TESTS_SUPPORT_CHILD_H_

#include <sys/resource.h>
#include <sys/types.h>

#include <array>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// How a Child starts. Its standard input is /dev/null.
struct ChildSetup {
  std::string directory = ".";
  // Descriptors that become its standard output and error; -1: the Child
  // collects the stream for its outcome.
  int standard_output = -1;
  int standard_error = -1;
  rlim_t file_size_limit = RLIM_INFINITY;
  // Drops to uid and gid 65534 when the tests run as root, so that
  // permission bits count.
  bool as_nobody = false;
};

// How a Child ended, and what it wrote to the streams it collected.
struct ChildOutcome {
  int wait_status = -1;
  std::string standard_output;
  std::string standard_error;

  // Throws when the child did not exit but was ended by a signal.
  int exit_status() const;
};

// A process beside the test, started with a setup. The constructor throws
// when the process cannot be started or set up; one still running when the
// object goes is killed.
class Child {
 public:
  // A program with every signal at its default action and none blocked,
  // however the test itself was started.
  Child(const std::string& program, const std::vector<std::string>& arguments,
        const ChildSetup& setup = {});
  // A copy of the test process that runs `work` and exits with what it
  // returns, so that limits and a dropped uid leave the test itself alone.
  explicit Child(const std::function<int()>& work,
                 const ChildSetup& setup = {});
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  void Signal(int signal_number) const;
  // Collects both streams until the child has ended. One still running
  // after `longest` (long enough for any of ours under the sanitizers) has
  // hung: it is killed and Wait throws, so the test fails instead of the
  // whole run stopping.
  ChildOutcome Wait(std::chrono::seconds longest = std::chrono::seconds(120));

 private:
  void Start(const ChildSetup& setup, char* const* argv,
             const std::function<int()>* work);
  void Reap();
  void CloseStreams();

  pid_t pid_ = -1;
  // Where the collected standard output and error come in, or -1.
  std::array<int, 2> streams_ = {-1, -1};
};

// Whether a Child can start as_nobody here: false when the tests run as a
// root that cannot become uid 65534, as in some containers.
bool CanRunAsNobody();

// A FIFO at `path` that a child fills with `head` and then with `filler`
// over and over: input that never ends. The child and the FIFO go with the
// object.
class EndlessFifo {
 public:
  EndlessFifo(const std::string& path, const std::string& head,
              const std::string& filler);
  ~EndlessFifo();
  EndlessFifo(const EndlessFifo&) = delete;
  EndlessFifo& operator=(const EndlessFifo&) = delete;

 private:
  std::string path_;
  std::optional<Child> writer_;
};

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_CHILD_H_
