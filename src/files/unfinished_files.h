#ifndef OBTMIRROR_FILES_UNFINISHED_FILES_H_
#define OBTMIRROR_FILES_UNFINISHED_FILES_H_

#include <signal.h>

#include <array>
#include <string>

namespace files {

// The signals that end the program at a user's or the system's request:
// Ctrl-C, kill, a closed terminal. When one of them ends it, no unfinished
// output may stay behind.
inline constexpr std::array<int, 3> kEndingSignals = {SIGINT, SIGTERM, SIGHUP};

// A file being written that must not outlive the process: the output beside
// a target until it takes the target's place. The table of such files is
// fixed and lock-free, so that a signal handler on any thread can remove
// them while other threads create and drop entries.
//
// `slot` is the file's entry, or kNotRemembered when the table is full or
// the name too long for an entry; the file is then made all the same, but
// a signal leaves it behind.
inline constexpr int kNotRemembered = -1;

// Creates `path` as a new file (it must not exist; mode 0666 less the
// umask), open for writing, and remembers it. Returns the descriptor, or -1
// with errno set, in which case nothing is remembered.
int CreateUnfinishedFile(const std::string& path, int& slot);

// The file of `slot` is about to take its place beside others that must
// all be there or none (an export's files): a handler on another thread
// waits until it is forgotten instead of removing it, and the thread that
// moves them holds the ending signals off meanwhile (EndingSignalsHeld).
void PlaceUnfinishedFile(int slot);

// The file of `slot` is no longer to be removed: it has been renamed or
// removed already. kNotRemembered does nothing.
void ForgetUnfinishedFile(int slot);

// Holds the ending signals off the calling thread while it lives; one that
// comes meanwhile is taken once it ends.
class EndingSignalsHeld {
 public:
  EndingSignalsHeld();
  ~EndingSignalsHeld();
  EndingSignalsHeld(const EndingSignalsHeld&) = delete;
  EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

// Removes every remembered file. Async-signal-safe; meant for a handler of
// an ending signal, after which the process ends.
void RemoveUnfinishedFiles();

}  // namespace files

#endif  // OBTMIRROR_FILES_UNFINISHED_FILES_H_
