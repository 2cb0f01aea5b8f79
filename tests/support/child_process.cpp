#include "support/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace testing_support {
namespace {

constexpr uid_t kNobody = 65534;
// A child that runs longer has hung; the test fails instead of waiting.
constexpr auto kLongestRun = std::chrono::seconds(120);

// Between fork and exec only async-signal-safe calls.
[[noreturn]] void BecomeChild(const std::string& program, char** argv,
                              const ChildSetup& setup) {
  for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
    ::signal(signal_number, SIG_DFL);
  }
  sigset_t none;
  ::sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);

  const int null_device = ::open("/dev/null", O_RDWR);
  ::dup2(null_device, STDIN_FILENO);
  ::dup2(setup.standard_output >= 0 ? setup.standard_output : null_device,
         STDOUT_FILENO);
  ::dup2(setup.standard_error >= 0 ? setup.standard_error : null_device,
         STDERR_FILENO);
  if (null_device > STDERR_FILENO) ::close(null_device);

  const rlimit size_limit{setup.file_size_limit, setup.file_size_limit};
  if (::setrlimit(RLIMIT_FSIZE, &size_limit) != 0) ::_exit(125);
  if (setup.as_nobody && ::geteuid() == 0 &&
      (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
       ::setuid(kNobody) != 0)) {
    ::_exit(125);
  }
  if (::chdir(setup.directory.c_str()) != 0) ::_exit(126);
  ::execv(program.c_str(), argv);
  ::_exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::string& program,
                           const std::vector<std::string>& arguments,
                           const ChildSetup& setup) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  pid_ = ::fork();
  if (pid_ == 0) BecomeChild(program, argv.data(), setup);
}

ChildProcess::~ChildProcess() {
  if (!started() || ended_) return;
  Signal(SIGKILL);
  Wait();
}

void ChildProcess::Signal(int signal_number) const {
  if (started() && !ended_) ::kill(pid_, signal_number);
}

int ChildProcess::Wait() {
  if (!started() || ended_) return status_;
  const auto deadline = std::chrono::steady_clock::now() + kLongestRun;
  pid_t got = 0;
  while ((got = ::waitpid(pid_, &status_, WNOHANG)) == 0 ||
         (got < 0 && errno == EINTR)) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
      got = -1;
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (got != pid_) status_ = -1;
  ended_ = true;
  return status_;
}

}  // namespace testing_support
