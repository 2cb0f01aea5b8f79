#ifndef OBTMIRROR_MESH_READER_CHILD_H_
#define OBTMIRROR_MESH_READER_CHILD_H_

#include <cstdint>
#include <string>

#include "mesh/import_options.h"
#include "mesh/reader_process.h"

namespace mesh {

// What the reader process is started with, besides its descriptors.
struct ReaderStart {
  // The model's name in its folder.
  std::string model_name;
  ImportOptions options;
  ReaderLimits limits;
  // The address space the process took before it read, and the model's size.
  uint64_t base = 0;
  uint64_t model_bytes = 0;
};

// The reader process, in the child of a fork that holds the descriptors of
// reader_sandbox.h at their numbers: confines itself, reads the model,
// hands back the result and ends. Never returns.
[[noreturn]] void RunReader(const ReaderStart& start);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_READER_CHILD_H_
