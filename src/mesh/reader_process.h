#ifndef OBTMIRROR_MESH_READER_PROCESS_H_
#define OBTMIRROR_MESH_READER_PROCESS_H_

#include <signal.h>
#include <sys/mman.h>
#include <sys/types.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "mesh/import_options.h"
#include "obt/obt_object.h"
#include "work/feedback.h"

namespace mesh {

// How far the reader process may go.
struct ReaderLimits {
  // --memory-limit in bytes and --time-limit in seconds of processor time;
  // without them, bounds that grow with the size of the model's files.
  std::optional<uint64_t> memory;
  std::optional<uint64_t> seconds;
  // --any-format: every reader of the library, not only the known formats.
  bool any_format = false;
};

// A mesh read in the reader process: how the import ended and, when it is
// kImported, the object's lists, which lie in the memory the reader filled
// and stay valid as long as this does. Its end is the reader's: defined
// here, so that the command line, which never links the mesh library,
// can hold one.
class ImportedMesh {
 public:
  ImportedMesh() = default;
  ~ImportedMesh() { Release(); }
  ImportedMesh(ImportedMesh&& other) noexcept { *this = std::move(other); }
  ImportedMesh& operator=(ImportedMesh&& other) noexcept {
    if (this != &other) {
      Release();
      outcome = std::move(other.outcome);
      lists = std::exchange(other.lists, {});
      mapping_ = std::exchange(other.mapping_, nullptr);
      mapped_ = std::exchange(other.mapped_, 0);
      reader_ = std::exchange(other.reader_, -1);
    }
    return *this;
  }
  ImportedMesh(const ImportedMesh&) = delete;
  ImportedMesh& operator=(const ImportedMesh&) = delete;

  ImportOutcome outcome;
  obt::ObjectLists lists;

 private:
  friend class ReaderProcess;

  void Release() {
    if (mapping_ != nullptr) ::munmap(mapping_, mapped_);
    mapping_ = nullptr;
    lists = {};
    if (reader_ > 0) {
      // Done, it only ends; whatever it does meanwhile no longer counts.
      ::kill(reader_, SIGKILL);
      while (::waitpid(reader_, nullptr, 0) < 0 && errno == EINTR) {
      }
      reader_ = -1;
    }
  }

  void* mapping_ = nullptr;
  std::size_t mapped_ = 0;
  pid_t reader_ = -1;
};

// Reads the mesh file at `path` as ImportMesh does, in a process of its own
// that confines itself before it reads a byte (see reader_sandbox.h) and
// hands back the object through a sealed memory file. However the file is
// made, this process never parses a byte of it: a crash, a bound reached, a
// forbidden system call or a reader that goes silent ends that process
// alone, and comes back as kNotRead with a reason that says so. Progress
// goes to the gauge (maximum 100). The reader is a fork of the calling
// process, which must run no other thread meanwhile (the command line runs
// none while it imports).
ImportedMesh ImportMeshApart(const std::string& path,
                             const ImportOptions& options,
                             const ReaderLimits& limits,
                             work::Feedback& feedback);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_READER_PROCESS_H_
