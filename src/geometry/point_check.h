#ifndef OBTMIRROR_GEOMETRY_POINT_CHECK_H_
#define OBTMIRROR_GEOMETRY_POINT_CHECK_H_

#include "geometry/findings.h"
#include "geometry/run_copies.h"
#include "mirror/mirror_centre.h"
#include "obt/obt_object.h"

namespace geometry {

// Where the points lie against the mirror planes that the copies use:
// points beyond a plane (the copies overlap), or a whole object on the
// other side of one (the copies land elsewhere), and mirror images that
// leave the 32-bit range.
void CheckPoints(const obt::ObtObject& object,
                 const mirror::MirrorCentre& centre, const RunCopies& copies,
                 FindingList& findings);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_POINT_CHECK_H_
