#ifndef OBTMIRROR_MESH_KNOWN_READERS_H_
#define OBTMIRROR_MESH_KNOWN_READERS_H_

#include <string>

namespace Assimp {
class Importer;
}

namespace mesh {

// The formats an import reads without --any-format, as the README and the
// refusal name them.
inline constexpr char kKnownFormats[] =
    "OBJ, PLY, STL, OFF, glTF 2 (.gltf, .glb), COLLADA (.dae), FBX, 3MF";

// Leaves `importer` only the readers of kKnownFormats; with `any_format`,
// every reader of the library. In a test build, readers that fail on
// purpose join them (see test_readers.h).
void ChooseReaders(Assimp::Importer& importer, bool any_format);

// Why no reader of `importer` takes the file `name`, by its extension;
// empty when one does.
std::string UnclaimedReason(const Assimp::Importer& importer,
                            const std::string& name, bool any_format);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_KNOWN_READERS_H_
