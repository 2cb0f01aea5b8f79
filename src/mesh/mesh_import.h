#ifndef OBTMIRROR_MESH_MESH_IMPORT_H_
#define OBTMIRROR_MESH_MESH_IMPORT_H_

#include <cstddef>
#include <functional>
#include <string>

#include "mesh/import_options.h"
#include "obt/obt_object.h"
#include "work/background.h"
#include "work/feedback.h"

namespace Assimp {
class Importer;
}

namespace mesh {

// Reads the mesh file at `path` with `importer` as it has been set up (its
// readers and file system), has the library check what it read before
// anything else touches it, triangulates the polygons and makes the OBT
// object of it (see ConvertScene). The scene stays with the importer.
// Reports progress on the gauge (maximum 100), and the object's sizes to
// `sized` as ConvertScene does.
ImportOutcome ReadScene(
    Assimp::Importer& importer, const std::string& path,
    const ImportOptions& options, work::Feedback& feedback,
    obt::ObtObject& object,
    const std::function<void(std::size_t points, std::size_t triangles)>&
        sized = nullptr);

// ReadScene with every reader of the library and its own file system, in
// this process: for tests and measurements of files we made; the command
// line reads in a process of its own (reader_process.h). Giving the library's
// scene back takes long (it holds a small block of memory for every face):
// `release` is left with the work that does it, so that the caller may write
// the object meanwhile, and the memory is the system's again once that work
// has been waited for. Without a thread to be had, the scene is gone when this
// returns.
ImportOutcome ImportMesh(const std::string& path, const ImportOptions& options,
                         work::Feedback& feedback, obt::ObtObject& object,
                         work::Background& release);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_MESH_IMPORT_H_
