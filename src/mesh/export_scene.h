#ifndef OBTMIRROR_MESH_EXPORT_SCENE_H_
#define OBTMIRROR_MESH_EXPORT_SCENE_H_

#include <memory>

#include "obt/obt_object.h"

struct aiScene;

namespace mesh {

// The scene of an OBT object for the library's exporters, every coordinate
// divided by `scale`. Its corners must name points of the object. With
// `by_fourth_value`, the triangles go into one mesh per FourthValue, in
// ascending order, whose material has the FourthValue's number, each mesh
// with the points its triangles use in point order; without it (or with
// one FourthValue only), into one mesh that holds every point in order.
std::unique_ptr<aiScene> BuildExportScene(const obt::ObtObject& object,
                                          double scale, bool by_fourth_value);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_EXPORT_SCENE_H_
