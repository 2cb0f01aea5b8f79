#ifndef OBTMIRROR_MESH_WRITTEN_FILE_H_
#define OBTMIRROR_MESH_WRITTEN_FILE_H_

#include <string>

namespace mesh {

// A file an export wrote.
struct WrittenFile {
  std::string path;
  // Whether a file (or link) of that name was there before.
  bool replaced = false;

  bool operator==(const WrittenFile&) const = default;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_WRITTEN_FILE_H_
