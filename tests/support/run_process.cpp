#include "support/run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace testing_support {
namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void Fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

// Reads both pipes until they close, so neither child stream can fill up
// and block the child; kills the child once the deadline has passed.
void Drain(pid_t child, Clock::time_point deadline, int out_fd, int err_fd,
           ProcessResult& result) {
  std::array<pollfd, 2> fds = {{{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}}};
  std::array<std::string*, 2> sinks = {&result.standard_output,
                                       &result.standard_error};
  int open = 2;
  std::array<char, 65536> chunk{};
  while (open > 0) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 && !result.timed_out) {
      ::kill(child, SIGKILL);
      result.timed_out = true;
    }
    const int wait = result.timed_out ? -1 : static_cast<int>(left.count());
    const int ready = ::poll(fds.data(), fds.size(), wait);
    if (ready < 0 && errno != EINTR) Fail("poll");
    if (ready <= 0) continue;
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t got = ::read(fds[i].fd, chunk.data(), chunk.size());
      if (got > 0) {
        sinks[i]->append(chunk.data(), static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        ::close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
}

}  // namespace

ProcessResult RunProcess(const std::string& program,
                         const std::vector<std::string>& arguments,
                         const std::string& directory,
                         std::chrono::milliseconds timeout) {
  const Clock::time_point deadline = Clock::now() + timeout;
  int out_pipe[2];
  int err_pipe[2];
  if (::pipe2(out_pipe, O_CLOEXEC) != 0) Fail("pipe");
  if (::pipe2(err_pipe, O_CLOEXEC) != 0) Fail("pipe");

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& argument : arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);

  const pid_t child = ::fork();
  if (child < 0) Fail("fork");
  if (child == 0) {
    const int null_input = ::open("/dev/null", O_RDONLY);
    ::dup2(null_input, STDIN_FILENO);
    ::dup2(out_pipe[1], STDOUT_FILENO);
    ::dup2(err_pipe[1], STDERR_FILENO);
    if (::chdir(directory.c_str()) != 0) ::_exit(126);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out_pipe[1]);
  ::close(err_pipe[1]);
  ProcessResult result;
  Drain(child, deadline, out_pipe[0], err_pipe[0], result);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  return result;
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
  writer_ = ::fork();
  if (writer_ < 0) Fail("fork");
  if (writer_ == 0) {
    if (::write(fd, head.data(), head.size()) < 0) ::_exit(1);
    while (::write(fd, filler.data(), filler.size()) >= 0) {
    }
    ::_exit(1);
  }
  ::close(fd);
}

EndlessFifo::~EndlessFifo() {
  ::kill(writer_, SIGKILL);
  while (::waitpid(writer_, nullptr, 0) < 0 && errno == EINTR) {
  }
  ::unlink(path_.c_str());
}

}  // namespace testing_support
