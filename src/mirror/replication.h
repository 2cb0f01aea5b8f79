#ifndef OBTMIRROR_MIRROR_REPLICATION_H_
#define OBTMIRROR_MIRROR_REPLICATION_H_

#include <cstdint>

#include "mirror/copy_plan.h"
#include "work/feedback.h"
#include "work/work_tables.h"

namespace mirror {

// Fills point entries N+1 .. (copy_count+1)·N from entries 1..N, each
// coordinate times its axis sign. The points are held relative to the
// mirror centre, so this reflects them through the centre's planes. Sets
// the gauge to 67, also without copies.
void MirrorPoints(const CopyPlan& plan, int32_t point_count,
                  work::TableEntry* points, work::Feedback& feedback);

// Fills triangle entries T+1 .. (copy_count+1)·T from entries 1..T: copy n
// names the points n·N further on, with its first two corners swapped when
// the copy is mirrored on an odd number of axes. FourthValues are copied
// unchanged. Sets the gauge to 67, also without copies.
void ReplicateTriangles(const CopyPlan& plan, int32_t point_count,
                        int32_t triangle_count, work::TableEntry* triangles,
                        uint8_t* fourth_values, work::Feedback& feedback);

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_REPLICATION_H_
