#ifndef OBTMIRROR_MESH_TARGET_IO_SYSTEM_H_
#define OBTMIRROR_MESH_TARGET_IO_SYSTEM_H_

#include <assimp/IOSystem.hpp>
#include <memory>
#include <string>
#include <vector>

#include "mesh/write_failure.h"
#include "obt/target_file.h"

namespace mesh {

// The file system as the library's exporters see it: every file they open
// for writing (an OBJ's .mtl and a glTF's .bin as much as the file named)
// is an obt::TargetFile, written beside its place and put there only by
// CommitAll, so that a failed export leaves nothing behind and every old
// file as it was. A stream that cannot be opened is still handed out and
// swallows what it is given, since some exporters do not expect none; the
// failure is kept for the caller.
class TargetIoSystem final : public Assimp::IOSystem {
 public:
  // `source` is never written over.
  explicit TargetIoSystem(std::string source);
  ~TargetIoSystem() override;

  bool Exists(const char* path) const override;
  char getOsSeparator() const override { return '/'; }
  Assimp::IOStream* Open(const char* path, const char* mode) override;
  void Close(Assimp::IOStream* stream) override;

  const WriteFailure& failure() const { return failure_; }

  // Puts every written file in its place, the first one opened (the file
  // named) last, so that it never refers to files that are not there yet.
  // False, with the failure set, when one could not be put there.
  bool CommitAll();
  // Drops every file written.
  void AbandonAll();

  // The files in the order they were opened.
  std::vector<std::string> paths() const;

  // For the streams.
  void RecordFailure(WriteFailure::Kind kind, const std::string& path,
                     int error);

 private:
  friend class TargetStream;
  struct Target;

  std::string source_;
  std::vector<std::unique_ptr<Target>> targets_;
  WriteFailure failure_;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_TARGET_IO_SYSTEM_H_
