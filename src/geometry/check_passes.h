#ifndef OBTMIRROR_GEOMETRY_CHECK_PASSES_H_
#define OBTMIRROR_GEOMETRY_CHECK_PASSES_H_

#include "geometry/findings.h"
#include "geometry/run_copies.h"
#include "mirror/mirror_centre.h"
#include "obt/obt_object.h"

namespace geometry {

// The passes of CheckObject over an object read for a run with `centre`
// and `copies`.

// Where the points lie against the mirror planes that the copies use:
// points beyond a plane (the copies overlap), or a whole object on the
// other side of one (the copies land elsewhere), and mirror images that
// leave the 32-bit range.
void CheckPoints(const obt::ObtObject& object,
                 const mirror::MirrorCentre& centre, const RunCopies& copies,
                 FindingList& findings);

// The surface the copies make together: triangles that name no point,
// have no area or lie in a mirror plane twice; edges that stay open, are
// used by more than two triangles or twice the same way, and those the
// mirroring closes; and which way it faces: as a whole when it is closed,
// and each closed part on its own where it falls into parts.
void CheckSurface(const obt::ObtObject& object,
                  const mirror::MirrorCentre& centre, const RunCopies& copies,
                  FindingList& findings);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_CHECK_PASSES_H_
