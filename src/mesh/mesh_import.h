#ifndef OBTMIRROR_MESH_MESH_IMPORT_H_
#define OBTMIRROR_MESH_MESH_IMPORT_H_

#include <string>

#include "mesh/import_options.h"
#include "obt/obt_object.h"
#include "work/feedback.h"

namespace mesh {

// Reads the mesh file at `path` with its polygons triangulated and makes the
// OBT object of it (see ConvertScene). The library's scene is gone again
// when this returns, before anything is written. Reports progress on the
// gauge (maximum 100).
ImportOutcome ImportMesh(const std::string& path, const ImportOptions& options,
                         work::Feedback& feedback, obt::ObtObject& object);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_MESH_IMPORT_H_
