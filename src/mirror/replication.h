#ifndef OBTMIRROR_MIRROR_REPLICATION_H_
#define OBTMIRROR_MIRROR_REPLICATION_H_

#include <cstddef>
#include <cstdint>

#include "mirror/copy_plan.h"
#include "work/feedback.h"
#include "work/triangle_shift.h"
#include "work/work_tables.h"
#include "work/wrap_arithmetic.h"

namespace mirror {

// Copy `copy` (0: the source object itself, which no rule changes) of one
// point, relative to the centre: each coordinate times its axis sign, which
// reflects the point through the centre's planes.
inline work::TableEntry MirroredPoint(const CopyPlan& plan, std::size_t copy,
                                      const work::TableEntry& point) {
  if (copy == 0) return point;
  const auto& sign = plan.axis_sign[copy - 1];
  return {work::WrapMultiply(point[0], sign[0]),
          work::WrapMultiply(point[1], sign[1]),
          work::WrapMultiply(point[2], sign[2])};
}

// How copy `copy` of the triangles names its points: copy·N further on, in
// the file's 32-bit point numbers whatever N is, with the first two corners
// swapped when the copy is mirrored on an odd number of axes.
inline work::TriangleShift ShiftOfCopy(const CopyPlan& plan, std::size_t copy,
                                       int32_t point_count) {
  if (copy == 0) return {};
  return {static_cast<uint32_t>(point_count) * static_cast<uint32_t>(copy),
          plan.winding_flip[copy - 1] != 0};
}

// Copy `copy` of one triangle.
inline work::TableEntry ReplicatedTriangle(const CopyPlan& plan,
                                           std::size_t copy,
                                           int32_t point_count,
                                           const work::TableEntry& triangle) {
  return work::ShiftedTriangle(ShiftOfCopy(plan, copy, point_count), triangle);
}

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
