#include "geometry/object_check.h"

#include "geometry/check_passes.h"
#include "geometry/run_copies.h"

namespace geometry {
namespace {

// Where a list that the file cuts short would go on: the line of its
// first missing entry when the file holds part of it, else the line after
// the last one.
int64_t MissingLine(const obt::RecordLines& lines, int64_t missing_from,
                    int64_t held, int64_t count_line) {
  if (missing_from < held) return lines.LineOf(missing_from);
  return missing_from > 0 ? lines.LineOf(missing_from - 1) + 1 : count_line + 1;
}

void CheckLists(const obt::ObtObject& object, FindingList& findings) {
  struct List {
    int32_t count;
    int64_t count_line;
    const obt::RecordLines& lines;
    int64_t held;
    int64_t missing_from;
  };
  const List lists[] = {
      {object.point_count, object.point_count_line, object.point_lines,
       static_cast<int64_t>(object.points.size()), object.points_missing_from},
      {object.triangle_count, object.triangle_count_line, object.triangle_lines,
       static_cast<int64_t>(object.triangles.size()),
       object.triangles_missing_from},
  };
  for (int64_t which = 0; which < 2; ++which) {
    const List& list = lists[which];
    if (list.count < 0) {
      findings.Add(
          {FindingKind::kNegativeCount, list.count_line, {which, list.count}});
    }
    if (list.missing_from >= 0) {
      findings.Add({FindingKind::kListEndsEarly,
                    MissingLine(list.lines, list.missing_from, list.held,
                                list.count_line),
                    {which, list.missing_from, list.count}});
    }
  }
  if (object.text_after_end_line != 0) {
    findings.Add({FindingKind::kTextAfterEnd, object.text_after_end_line});
  }
}

}  // namespace

FindingList CheckObject(const obt::ObtObject& object, const CheckedRun& run,
                        FindingKinds keep_every) {
  FindingList findings;
  findings.KeepEvery(keep_every);
  const RunCopies copies(run.source_octant, run.plan);
  findings.Add(
      {FindingKind::kCentre, 0, {run.centre.x, run.centre.y, run.centre.z}});
  if (copies.duplicate_octant() != 0) {
    findings.Add({FindingKind::kDuplicateCopy, 0, {copies.duplicate_octant()}});
  }
  CheckLists(object, findings);
  CheckPoints(object, run.centre, copies, findings);
  CheckSurface(object, run.centre, copies, findings);
  return findings;
}

}  // namespace geometry
