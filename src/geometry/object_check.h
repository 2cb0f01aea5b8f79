#ifndef OBTMIRROR_GEOMETRY_OBJECT_CHECK_H_
#define OBTMIRROR_GEOMETRY_OBJECT_CHECK_H_

#include "geometry/findings.h"
#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "mirror/octant_table.h"
#include "obt/obt_object.h"

namespace geometry {

// What a run is asked to do with an object: the inputs it reads from the
// front end, already taken as the run takes them.
struct CheckedRun {
  mirror::MirrorCentre centre;
  mirror::OctantCode source_octant = 1;
  mirror::CopyPlan plan;
};

// Everything that would make the result of `run` on `object` less than a
// clean object, and what the user should know about it, without running
// it: one pass over the points, two over the triangles (three where they
// fall into parts), one over their edges, in linear expected time and
// memory. Findings of the kinds in `keep_every` are kept each one.
FindingList CheckObject(const obt::ObtObject& object, const CheckedRun& run,
                        FindingKinds keep_every = 0);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_OBJECT_CHECK_H_
