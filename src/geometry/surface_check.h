#ifndef OBTMIRROR_GEOMETRY_SURFACE_CHECK_H_
#define OBTMIRROR_GEOMETRY_SURFACE_CHECK_H_

#include "geometry/findings.h"
#include "geometry/run_copies.h"
#include "mirror/mirror_centre.h"
#include "obt/obt_object.h"

namespace geometry {

// The surface the copies make together: triangles that name no point,
// have no area or lie in a mirror plane twice; edges that stay open, are
// used by more than two triangles or twice the same way, and those the
// mirroring closes; and, when it is closed, which way it faces.
void CheckSurface(const obt::ObtObject& object,
                  const mirror::MirrorCentre& centre, const RunCopies& copies,
                  FindingList& findings);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_SURFACE_CHECK_H_
