#ifndef OBTMIRROR_MESH_SCENE_TO_OBJECT_H_
#define OBTMIRROR_MESH_SCENE_TO_OBJECT_H_

#include <cstddef>
#include <functional>

#include "mesh/gauge_stretch.h"
#include "mesh/import_options.h"
#include "mesh/mesh_names.h"
#include "obt/obt_object.h"

struct aiScene;

namespace mesh {

// Makes a version 2 OBT object of the triangles of every mesh instance in
// `scene`, with its node transforms applied, scaled and rounded by
// `options`; vertices at the same integer coordinates become one point, in
// the order they are first met. Point and line primitives are counted and
// left out. `object` is complete only when the outcome is kImported.
// `sized`, when given, hears how many points and triangles the object
// will have as soon as that is known, before the triangles are made.
// Messages number a vertex by `numbers`.
ImportOutcome ConvertScene(
    const aiScene& scene, const ImportOptions& options,
    const GaugeStretch& progress, obt::ObtObject& object,
    const std::function<void(std::size_t points, std::size_t triangles)>&
        sized = nullptr,
    VertexNumbers numbers = VertexNumbers::kLibrary);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_SCENE_TO_OBJECT_H_
