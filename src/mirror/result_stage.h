#ifndef OBTMIRROR_MIRROR_RESULT_STAGE_H_
#define OBTMIRROR_MIRROR_RESULT_STAGE_H_

#include <cstdint>
#include <span>

#include "mirror/copy_plan.h"
#include "mirror/kept_entries.h"
#include "work/work_tables.h"

namespace mirror {

// A step between the reading and the writing of a run that reworks the
// result, such as the command line's weld: it chooses which of the copies'
// points and triangles are written, and the point numbers the triangles
// name. The copies themselves are made as they are written, from the
// source's entries, as in a run without a stage; the stage keeps what it
// needs outside the tables.
class ResultStage {
 public:
  virtual ~ResultStage() = default;

  // After the points are read: `points` holds the N source points,
  // relative to the centre (none when N <= 0). Which of the copies' points
  // (copy a, point p: the replication's point a·N + p) are written.
  virtual const KeptEntries& AfterPoints(const CopyPlan& plan,
                                         int32_t point_count,
                                         const work::TableEntry* points) = 0;

  // After the triangles are read: the T source triangles, naming source
  // points. Which of the copies' triangles are written; null when a
  // triangle names a point the object does not have, which the run then
  // refuses.
  virtual const KeptEntries* AfterTriangles(
      const CopyPlan& plan, int32_t point_count, int32_t triangle_count,
      const work::TableEntry* triangles) = 0;

  // For each point number the replication gives (a·N + p), the number it
  // is written as; as many as AfterPoints saw copies of points.
  virtual std::span<const uint32_t> point_numbers() const = 0;
};

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_RESULT_STAGE_H_
