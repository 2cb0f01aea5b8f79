#ifndef OBTMIRROR_MESH_WRITE_FAILURE_H_
#define OBTMIRROR_MESH_WRITE_FAILURE_H_

#include <string>

namespace mesh {

// What went wrong first while an exporter wrote its files.
struct WriteFailure {
  enum class Kind {
    kNone,
    // `path` could not be made; `error` is the errno.
    kNotCreated,
    // `path` is the file being exported.
    kSameFile,
    // Writing to `path`, or putting it in its place, failed with `error`.
    kWriteFailed,
    // `path`, a file the format writes beside the one named, is a FIFO, a
    // device or a directory, which an export does not write into.
    kNotRegular,
  };

  Kind kind = Kind::kNone;
  std::string path;
  int error = 0;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_WRITE_FAILURE_H_
