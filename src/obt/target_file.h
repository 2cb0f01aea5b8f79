#ifndef OBTMIRROR_OBT_TARGET_FILE_H_
#define OBTMIRROR_OBT_TARGET_FILE_H_

#include <sys/types.h>

#include <string>

#include "obt/unfinished_files.h"

namespace obt {

// The file a run writes its output to. A regular target is never written in
// place: the output goes to a new file beside it ("NAME.obtmirror-unfinished-
// XXXXXX") that replaces the target only when Commit succeeds, so a failed
// or refused run leaves the old target byte for byte. A target that is a
// device or a FIFO is written directly. An ending signal removes the new
// file (see process_signals.h). A symbolic link is followed to the
// file it names, which is the one replaced.
//
// Failures are returned as errno values (0 = none).
class TargetFile {
 public:
  TargetFile() = default;
  ~TargetFile() { Abandon(); }
  TargetFile(const TargetFile&) = delete;
  TargetFile& operator=(const TargetFile&) = delete;

  // Refuses what cannot become the target: an empty name, a name holding
  // "*" or "?", a directory, an existing file that is not writable, a
  // directory where the new file cannot be made.
  int Open(const std::string& path);
  // The same for a file that is no OBT target, whose name may hold "*" and
  // "?" like any other character.
  int OpenAnyName(const std::string& path);

  bool IsOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  // Closes the output and puts it in the target's place.
  int Commit();

  // Closes the output and removes it; the target stays as it was.
  void Abandon();

 private:
  int OpenDirect(const std::string& path);
  int OpenBeside(const std::string& path, bool replaces, mode_t mode,
                 uid_t owner, gid_t group);
  void ForgetTemporary();

  int fd_ = -1;
  std::string final_path_;
  std::string temporary_path_;
  // Its entry in the table of unfinished files.
  int unfinished_slot_ = kNotRemembered;
  bool replaces_existing_ = false;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_TARGET_FILE_H_
