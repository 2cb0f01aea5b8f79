#include "mesh/reader_end.h"

#include <signal.h>
#include <sys/wait.h>

#include <cstdint>
#include <cstdio>

namespace mesh {
namespace {

constexpr uint64_t kMiB = uint64_t{1} << 20;

std::string Bytes(uint64_t bytes) {
  char text[32];
  if (bytes >= (kMiB << 10)) {
    std::snprintf(text, sizeof text, "%.3g GiB",
                  static_cast<double>(bytes) / static_cast<double>(kMiB << 10));
  } else {
    std::snprintf(text, sizeof text, "%.3g MiB",
                  static_cast<double>(bytes) / static_cast<double>(kMiB));
  }
  return text;
}

}  // namespace

std::string DescribeReaderEnd(const ReaderEnd& end) {
  const uint64_t seconds = end.bounds.seconds_soft;
  if (end.silent) {
    return "the mesh library stopped answering on this file (nothing for " +
           std::to_string(SilenceAfter(seconds).count()) +
           " s); it may be damaged or made to attack (--time-limit)";
  }
  if (end.misbehaved) {
    return "the reader process sent what it must not; the file may be made "
           "to attack";
  }
  if (end.out_of_memory) {
    return "the mesh library needed more than " +
           Bytes(end.bounds.memory_soft) +
           " of memory for this file (--memory-limit)";
  }
  const int status = end.wait_status;
  if (WIFSIGNALED(status)) {
    const int signal_number = WTERMSIG(status);
    // The system sends SIGXCPU at the soft bound and SIGKILL a second later
    // to a reader that ignores it.
    if (signal_number == SIGXCPU ||
        (signal_number == SIGKILL &&
         end.seconds >= static_cast<double>(seconds))) {
      return "the mesh library took more than " + std::to_string(seconds) +
             " s of processor time on this file (--time-limit)";
    }
    if (signal_number == SIGSYS) {
      return "the mesh library made a system call that the sandbox forbids; "
             "the file may be made to attack";
    }
    return "the mesh library crashed on this file (signal " +
           std::to_string(signal_number) +
           "); it may be damaged or made to attack";
  }
  return "the reader process ended without a result (exit status " +
         std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) + ")";
}

}  // namespace mesh
