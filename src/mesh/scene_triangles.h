#ifndef OBTMIRROR_MESH_SCENE_TRIANGLES_H_
#define OBTMIRROR_MESH_SCENE_TRIANGLES_H_

#include <cstdint>
#include <span>

#include "mesh/import_options.h"
#include "mesh/mesh_instances.h"
#include "obt/obt_object.h"

namespace mesh {

// Gives `object`, whose points are those the vertices of `instances` were
// joined into, a triangle of each triangle face of each instance: its
// corners the points that `numbers` gives its vertices (instance after
// instance), turned and with the fourth value that `options` asks for.
// Leaves out a triangle whose corners come to one point or one line, and
// gives how many it left out. `triangles` is the number of triangle faces.
int64_t MakeTriangles(std::span<const MeshInstance> instances,
                      int64_t triangles, const ImportOptions& options,
                      const uint32_t* numbers, obt::ObtObject& object);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_SCENE_TRIANGLES_H_
