#include "files/process_signals.h"

#include <signal.h>

#include "files/unfinished_files.h"

namespace files {
namespace {

void EndOnSignal(int signal_number) {
  RemoveUnfinishedFiles();
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  ::sigemptyset(&default_action.sa_mask);
  ::sigaction(signal_number, &default_action, nullptr);
  // Held off until the handler returns, then it ends the process.
  ::raise(signal_number);
}

}  // namespace

void SetUpProcessSignals() {
  struct sigaction ending {};
  ending.sa_handler = EndOnSignal;
  // One handler at a time on a thread: a second Ctrl-C waits for the first.
  ::sigemptyset(&ending.sa_mask);
  for (const int signal_number : kEndingSignals) {
    ::sigaddset(&ending.sa_mask, signal_number);
  }
  for (const int signal_number : kEndingSignals) {
    struct sigaction current {};
    if (::sigaction(signal_number, nullptr, &current) != 0 ||
        current.sa_handler == SIG_IGN) {
      continue;
    }
    ::sigaction(signal_number, &ending, nullptr);
  }

  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ::sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGPIPE, &ignore, nullptr);
  ::sigaction(SIGXFSZ, &ignore, nullptr);
}

}  // namespace files
