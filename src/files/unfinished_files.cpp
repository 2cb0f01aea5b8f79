#include "files/unfinished_files.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

namespace files {
namespace {

// A process writes one target at a time, or a few in tests that run jobs
// side by side.
constexpr int kSlots = 16;
// open() refuses longer names, so every file made fits.
constexpr std::size_t kPathBytes = PATH_MAX;
// How long a handler waits for an entry whose file is being created or
// moved into place.
constexpr int kBusyWaitMilliseconds = 1000;

enum SlotState : int { kFree, kCreating, kHeld, kPlacing, kRemoving };

struct Slot {
  std::atomic<int> state{kFree};
  char path[kPathBytes];
};
static_assert(std::atomic<int>::is_always_lock_free,
              "a signal handler may only use lock-free atomics");

Slot slots[kSlots];

int Claim() {
  for (int i = 0; i < kSlots; ++i) {
    int expected = kFree;
    if (slots[i].state.compare_exchange_strong(expected, kCreating)) return i;
  }
  return kNotRemembered;
}

}  // namespace

EndingSignalsHeld::EndingSignalsHeld() {
  sigset_t ending;
  ::sigemptyset(&ending);
  for (const int signal_number : kEndingSignals) {
    ::sigaddset(&ending, signal_number);
  }
  ::pthread_sigmask(SIG_BLOCK, &ending, &previous_);
}

EndingSignalsHeld::~EndingSignalsHeld() {
  ::pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
}

int CreateUnfinishedFile(const std::string& path, int& slot) {
  slot = kNotRemembered;
  // The entry is taken before the file exists, so that no moment passes in
  // which the file is there and unknown to a handler; and this thread takes
  // no ending signal until the entry is settled, so a handler that finds it
  // still being created runs on another thread and can wait for it.
  const EndingSignalsHeld held;
  const int claimed = path.size() < kPathBytes ? Claim() : kNotRemembered;
  if (claimed != kNotRemembered) {
    std::memcpy(slots[claimed].path, path.c_str(), path.size() + 1);
  }
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  const int error = errno;
  if (claimed != kNotRemembered) {
    slots[claimed].state.store(fd >= 0 ? kHeld : kFree);
    if (fd >= 0) slot = claimed;
  }
  errno = error;
  return fd;
}

void PlaceUnfinishedFile(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  int expected = kHeld;
  slots[slot].state.compare_exchange_strong(expected, kPlacing);
}

void ForgetUnfinishedFile(int slot) {
  if (slot < 0 || slot >= kSlots) return;
  // An entry that a handler is removing stays its own: the process is
  // ending.
  int expected = kHeld;
  if (!slots[slot].state.compare_exchange_strong(expected, kFree)) {
    expected = kPlacing;
    slots[slot].state.compare_exchange_strong(expected, kFree);
  }
}

void RemoveUnfinishedFiles() {
  for (Slot& entry : slots) {
    int state = entry.state.load();
    // An entry being created or placed belongs to another thread (which
    // holds these signals off), busy with one open() or a few renames:
    // worth a wait, but a file system that hangs there must not keep the
    // signal from ending the process.
    for (int waited = 0; (state == kCreating || state == kPlacing) &&
                         waited < kBusyWaitMilliseconds;
         ++waited) {
      ::poll(nullptr, 0, 1);
      state = entry.state.load();
    }
    if (state == kHeld &&
        entry.state.compare_exchange_strong(state, kRemoving)) {
      ::unlink(entry.path);
    }
  }
}

}  // namespace files
