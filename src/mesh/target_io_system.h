#ifndef OBTMIRROR_MESH_TARGET_IO_SYSTEM_H_
#define OBTMIRROR_MESH_TARGET_IO_SYSTEM_H_

#include <assimp/IOSystem.hpp>
#include <memory>
#include <string>
#include <vector>

#include "files/target_file.h"
#include "mesh/write_failure.h"
#include "mesh/written_file.h"

namespace mesh {

// The file system as the library's exporters see it: every file they open
// for writing (an OBJ's .mtl and a glTF's .bin as much as the file named)
// is an files::TargetFile, written beside its place and put there only by
// CommitAll, so that a failed export leaves nothing behind and every old
// file as it was. A stream that cannot be opened is still handed out and
// swallows what it is given, since some exporters do not expect none; the
// failure is kept for the caller.
//
// A file the user did not name is never written through a symbolic link
// (one planted in a shared folder would lead the export elsewhere): the
// link itself is replaced. One that is a FIFO or a device is refused. The
// file named may be a FIFO or a device: its bytes are gathered in memory
// first, since exporters seek back to patch their headers, and go out
// once all is written.
class TargetIoSystem final : public Assimp::IOSystem {
 public:
  // `source` is never written over; `named` is the file the user named.
  TargetIoSystem(std::string source, std::string named);
  ~TargetIoSystem() override;

  bool Exists(const char* path) const override;
  char getOsSeparator() const override { return '/'; }
  Assimp::IOStream* Open(const char* path, const char* mode) override;
  void Close(Assimp::IOStream* stream) override;

  const WriteFailure& failure() const { return failure_; }

  // Puts every written file on the disk, then all of them in their places,
  // the first one opened (the file named) last, so that it never refers to
  // files that are not there yet. False, with the failure set, when one
  // could not be written or put there; those put there already are put
  // back, so that every old file is as it was.
  bool CommitAll();
  // Drops every file written.
  void AbandonAll();

  // The files in the order they were opened, after CommitAll with whether
  // each replaced one.
  std::vector<WrittenFile> files() const;

  // For the streams.
  void RecordFailure(WriteFailure::Kind kind, const std::string& path,
                     int error);

 private:
  friend class TargetStream;
  struct Target;

  bool Stage(Target& target);

  std::string source_;
  std::string named_;
  std::vector<std::unique_ptr<Target>> targets_;
  WriteFailure failure_;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_TARGET_IO_SYSTEM_H_
