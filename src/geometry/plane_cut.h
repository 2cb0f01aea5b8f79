#ifndef OBTMIRROR_GEOMETRY_PLANE_CUT_H_
#define OBTMIRROR_GEOMETRY_PLANE_CUT_H_

#include <cstdint>

#include "geometry/axis_mask.h"
#include "geometry/triangle_cut.h"
#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "mirror/octant_table.h"
#include "obt/obt_object.h"

namespace geometry {

// The planes through the centre to cut an object at before it is mirrored:
// those of the `mirrored` axes that the object crosses, with points
// strictly on both sides. What lies beyond a plane, away from the source
// octant's side, is to go. A plane the object lies wholly beyond is left
// alone: the object then lies in another octant, which the check reports.
CutPlanes PlanesToCut(const obt::ObtObject& object,
                      const mirror::MirrorCentre& centre,
                      const mirror::OctantSides& source, AxisMask mirrored);

// What a cut did.
struct CutCounts {
  // Triangles that crossed a plane and kept a part.
  int64_t cut = 0;
  // Triangles that lay wholly beyond, or kept nothing, and the parts of cut
  // ones that rounding made degenerate.
  int64_t dropped = 0;
  int64_t points_added = 0;
  // A triangle that names a point the object lacks: nothing was cut.
  int64_t bad_triangle = -1;
};

// Cuts the object at the planes. A triangle that crosses one becomes the
// triangles of its part on the kept side, with its winding and its fourth
// value, in its place in the list. A new corner lies exactly in its plane;
// its other coordinates are the exact point rounded to whole units, halves
// away from zero, made once for every edge and plane, so that the
// triangles that share the edge share the point. Points no triangle uses
// any more are dropped; the new points follow the kept ones, which keep
// their order, as the kept triangles do. Where it cuts, the lists are first
// filled up to their counts, as a run reads them.
CutCounts CutAtPlanes(obt::ObtObject& object,
                      const mirror::MirrorCentre& centre,
                      const CutPlanes& planes);

// Cuts the object of a run at the planes its copies are mirrored across,
// as PlanesToCut chooses them.
CutCounts CutForRun(obt::ObtObject& object, const mirror::MirrorCentre& centre,
                    mirror::OctantCode source_octant,
                    const mirror::CopyPlan& plan);

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_PLANE_CUT_H_
