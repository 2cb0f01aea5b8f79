#ifndef OBTMIRROR_CLI_MESH_LIBRARY_H_
#define OBTMIRROR_CLI_MESH_LIBRARY_H_

#include <string>

#include "mesh/mesh_module.h"

namespace cli {

// The mesh formats, from the library of the program's own library folder,
// loaded on the first call. Null, with the reason in `error`, when it
// cannot be loaded.
const mesh::MeshModule* MeshLibrary(std::string& error);

}  // namespace cli

#endif  // OBTMIRROR_CLI_MESH_LIBRARY_H_
