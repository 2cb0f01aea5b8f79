#ifndef OBTMIRROR_MESH_MESH_IMPORT_H_
#define OBTMIRROR_MESH_MESH_IMPORT_H_

#include <string>
#include <thread>

#include "mesh/import_options.h"
#include "obt/obt_object.h"
#include "work/feedback.h"

namespace mesh {

// Reads the mesh file at `path` with its polygons triangulated and makes the
// OBT object of it (see ConvertScene). Reports progress on the gauge
// (maximum 100). Giving the library's scene back takes long (it holds a
// small block of memory for every face): `release` is left with a thread
// that does it, so that the caller may write the object meanwhile, and
// the memory is the system's again once that thread has been joined.
// Without a thread to be had, the scene is gone when this returns.
ImportOutcome ImportMesh(const std::string& path, const ImportOptions& options,
                         work::Feedback& feedback, obt::ObtObject& object,
                         std::jthread& release);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_MESH_IMPORT_H_
