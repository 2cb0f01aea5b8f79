#include "support/child.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace testing_support {
namespace {

constexpr uid_t kNobodyId = 65534;

// What a child could not do before it ran, as it reports it.
constexpr const char* kSteps[] = {
    "redirect its standard streams", "set its file-size limit",
    "drop to uid 65534", "change into its directory", "start its program"};
enum Step { kStreams, kSizeLimit, kNobody, kDirectory, kExec };

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

std::array<int, 2> Pipe() {
  std::array<int, 2> ends{};
  if (::pipe2(ends.data(), O_CLOEXEC) != 0) Fail("pipe");
  return ends;
}

bool DropToNobody() {
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobodyId) == 0 &&
         ::setuid(kNobodyId) == 0;
}

// Between fork and exec only async-signal-safe calls. Returns the step
// that failed, or -1.
int SetUp(const ChildSetup& setup, int output, int error) {
  const int null_device = ::open("/dev/null", O_RDONLY);
  if (null_device < 0 || ::dup2(null_device, STDIN_FILENO) < 0 ||
      ::dup2(output, STDOUT_FILENO) < 0 || ::dup2(error, STDERR_FILENO) < 0) {
    return kStreams;
  }
  if (null_device > STDERR_FILENO) ::close(null_device);
  const rlimit size_limit{setup.file_size_limit, setup.file_size_limit};
  if (setup.file_size_limit != RLIM_INFINITY &&
      ::setrlimit(RLIMIT_FSIZE, &size_limit) != 0) {
    return kSizeLimit;
  }
  if (setup.as_nobody && ::geteuid() == 0 && !DropToNobody()) {
    return kNobody;
  }
  return ::chdir(setup.directory.c_str()) == 0 ? -1 : kDirectory;
}

[[noreturn]] void BecomeChild(const ChildSetup& setup, int output, int error,
                              int report, char* const* argv,
                              const std::function<int()>* work) {
  int failed = SetUp(setup, output, error);
  if (failed < 0 && work != nullptr) {
    ::close(report);
    ::_exit((*work)());
  }
  if (failed < 0) {
    for (int signal_number = 1; signal_number < NSIG; ++signal_number) {
      ::signal(signal_number, SIG_DFL);
    }
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execv(argv[0], argv);
    failed = kExec;
  }
  const std::array<int, 2> message = {failed, errno};
  if (::write(report, message.data(), sizeof message) < 0) ::_exit(126);
  ::_exit(127);
}

}  // namespace

int ChildOutcome::exit_status() const {
  if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
  throw std::runtime_error("the child was ended by signal " +
                           std::to_string(WTERMSIG(wait_status)) +
                           "; its standard error:\n" + standard_error);
}

Child::Child(const std::string& program,
             const std::vector<std::string>& arguments,
             const ChildSetup& setup) {
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);
  Start(setup, argv.data(), nullptr);
}

Child::Child(const std::function<int()>& work, const ChildSetup& setup) {
  Start(setup, nullptr, &work);
}

Child::~Child() {
  if (pid_ > 0) {
    ::kill(pid_, SIGKILL);
    Reap();
  }
  CloseStreams();
}

// What goes wrong in the child before its program or work runs comes back
// through a pipe that closes on exec or before the work; the constructor
// waits for that, so that it can throw.
void Child::Start(const ChildSetup& setup, char* const* argv,
                  const std::function<int()>* work) {
  const std::array<int, 2> report = Pipe();
  std::array<int, 2> output = {-1, setup.standard_output};
  std::array<int, 2> error = {-1, setup.standard_error};
  if (output[1] < 0) output = Pipe();
  if (error[1] < 0) error = Pipe();
  // Else the child would write out what the test has buffered once more.
  std::fflush(nullptr);
  pid_ = ::fork();
  if (pid_ < 0) Fail("fork");
  if (pid_ == 0) BecomeChild(setup, output[1], error[1], report[1], argv, work);
  ::close(report[1]);
  // The read ends are -1 where the test gave a descriptor of its own.
  streams_ = {output[0], error[0]};
  if (output[0] >= 0) ::close(output[1]);
  if (error[0] >= 0) ::close(error[1]);
  std::array<int, 2> message{};
  ssize_t got = 0;
  while ((got = ::read(report[0], message.data(), sizeof message)) < 0 &&
         errno == EINTR) {
  }
  ::close(report[0]);
  if (got == 0) return;
  // No destructor runs after a throwing constructor.
  Reap();
  CloseStreams();
  errno = got == sizeof message ? message[1] : EIO;
  Fail(std::string("the child cannot ") +
       (got == sizeof message ? kSteps[message[0]] : "report how it started"));
}

void Child::Reap() {
  while (::waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
}

void Child::CloseStreams() {
  for (int& fd : streams_) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
}

void Child::Signal(int signal_number) const {
  if (pid_ < 0) throw std::logic_error("the child has been waited for");
  if (::kill(pid_, signal_number) != 0) Fail("kill");
}

ChildOutcome Child::Wait(std::chrono::seconds longest) {
  if (pid_ < 0) throw std::logic_error("the child has been waited for");
  const auto deadline = std::chrono::steady_clock::now() + longest;
  ChildOutcome outcome;
  std::array<pollfd, 2> streams = {
      {{streams_[0], POLLIN, 0}, {streams_[1], POLLIN, 0}}};
  const std::array<std::string*, 2> sinks = {&outcome.standard_output,
                                             &outcome.standard_error};
  std::array<char, 65536> chunk{};
  // Reads both streams until they close, so that neither fills up and
  // blocks the child, then waits for the child itself.
  for (;;) {
    if (streams[0].fd < 0 && streams[1].fd < 0) {
      const pid_t got = ::waitpid(pid_, &outcome.wait_status, WNOHANG);
      if (got == pid_) break;
      if (got < 0 && errno != EINTR) Fail("waitpid");
    }
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      Reap();
      throw std::runtime_error("the child hung and was killed after " +
                               std::to_string(longest.count()) + " s");
    }
    if (::poll(streams.data(), streams.size(), 2) < 0 && errno != EINTR) {
      Fail("poll");
    }
    for (std::size_t i = 0; i < streams.size(); ++i) {
      if (streams[i].fd < 0 || streams[i].revents == 0) continue;
      const ssize_t got = ::read(streams[i].fd, chunk.data(), chunk.size());
      if (got > 0) {
        sinks[i]->append(chunk.data(), static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(streams[i].fd);
        streams[i].fd = streams_[i] = -1;
      }
    }
  }
  pid_ = -1;
  return outcome;
}

bool CanRunAsNobody() {
  return ::geteuid() != 0 ||
         Child([] { return DropToNobody() ? 0 : 1; }).Wait().exit_status() == 0;
}

EndlessFifo::EndlessFifo(const std::string& path, const std::string& head,
                         const std::string& filler)
    : path_(path) {
  if (::mkfifo(path.c_str(), 0600) != 0) Fail("mkfifo " + path);
  // Open for reading too, so that the open waits for nobody; the writes
  // block whenever the FIFO is full until the reader takes more, or the
  // writer is killed.
  const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) Fail("open " + path);
  writer_.emplace([&] {
    if (::write(fd, head.data(), head.size()) >= 0) {
      while (::write(fd, filler.data(), filler.size()) >= 0) {
      }
    }
    return 1;
  });
  ::close(fd);
}

EndlessFifo::~EndlessFifo() { ::unlink(path_.c_str()); }

}  // namespace testing_support
