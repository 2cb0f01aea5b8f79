#ifndef OBTMIRROR_FILES_TARGET_FILE_H_
#define OBTMIRROR_FILES_TARGET_FILE_H_

#include <sys/types.h>

#include <string>

#include "files/unfinished_files.h"

namespace files {

// The file a run writes its output to. A regular target is never written in
// place: the output goes to a new file beside it ("NAME.obtmirror-unfinished-
// XXXXXX") that replaces the target only when Commit succeeds, so a failed
// or refused run leaves the old target byte for byte. A target that is a
// device or a FIFO is written directly. An ending signal removes the new
// file (see process_signals.h). A symbolic link is followed to the
// file it names, which is the one replaced, unless the target is opened
// with Links::kReplace.
//
// Files that must all change or none (an export's mesh and its material
// library) are written out together: Sync each, then, with the ending
// signals held (EndingSignalsHeld), MarkPlacing each and Place each; once
// all are placed, Settle each, or PutBack those placed when one fails. The
// old file stays under another name until Settle, so PutBack restores it.
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
  // What becomes of a target that is a symbolic link.
  enum class Links {
    // The file it leads to is replaced.
    kFollow,
    // The link itself is replaced, and what it leads to left alone.
    kReplace,
  };

  // The same for a file that is no OBT target, whose name may hold "*" and
  // "?" like any other character.
  int OpenAnyName(const std::string& path, Links links = Links::kFollow);

  bool IsOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // A device or FIFO, whose bytes go out as they are written.
  bool WritesInPlace() const { return fd_ >= 0 && temporary_path_.empty(); }

  // Closes the output and puts it in the target's place.
  int Commit();

  // Closes the output and removes it; the target stays as it was. After
  // Place, puts the old file back first.
  void Abandon();

  // Puts the output on the disk and closes it; a device or FIFO stays open
  // until Place.
  int Sync();
  // From here on an ending signal leaves the output for the thread placing
  // it (see PlaceUnfinishedFile).
  void MarkPlacing();
  // Gives the output the target's name, keeping the old file aside.
  int Place();
  // Whether Place found a file (or link) under the target's name.
  bool replaced() const { return replaced_; }
  // Undoes Place: the old file, or none, under the target's name again.
  void PutBack();
  // Removes the old file that Place kept.
  void Settle();

 private:
  int MoveBesideOld();
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
  // Between Place and Settle: where the old file lies, if it could be kept.
  bool placed_ = false;
  bool replaced_ = false;
  std::string old_path_;
};

}  // namespace files

#endif  // OBTMIRROR_FILES_TARGET_FILE_H_
