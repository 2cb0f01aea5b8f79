#ifndef OBTMIRROR_MIRROR_RESULT_STAGE_H_
#define OBTMIRROR_MIRROR_RESULT_STAGE_H_

#include <cstddef>
#include <cstdint>
#include <optional>

#include "mirror/copy_plan.h"
#include "work/work_tables.h"

namespace mirror {

// A step between the replication and the writing of a run that reworks the
// result in the tables before it is written, such as the command line's
// weld. A run without one writes the tables as the replication left them.
// The tables share one storage area, so whatever the triangle step needs
// from the point step must be kept outside them.
class ResultStage {
 public:
  virtual ~ResultStage() = default;

  // After the points are mirrored: `points` holds (copy_count + 1)·N
  // entries, relative to the centre (none when N <= 0). May rewrite and
  // reorder them in place; returns how many, from the first, to write.
  virtual std::size_t AfterPoints(const CopyPlan& plan, int32_t point_count,
                                  work::TableEntry* points) = 0;

  // After the triangles are replicated: (copy_count + 1)·T entries and
  // FourthValues (none when T <= 0), naming the points as the replication
  // numbered them. May rewrite and reorder both in place; returns how many
  // to write, or nothing when a triangle names a point the object does not
  // have, which the run then refuses.
  virtual std::optional<std::size_t> AfterTriangles(const CopyPlan& plan,
                                                    int32_t point_count,
                                                    int32_t triangle_count,
                                                    work::TableEntry* triangles,
                                                    uint8_t* fourth_values) = 0;
};

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_RESULT_STAGE_H_
