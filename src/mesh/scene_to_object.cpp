#include "mesh/scene_to_object.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "mesh/mesh_instances.h"
#include "mesh/scene_facts.h"
#include "mesh/scene_points.h"
#include "mesh/scene_scale.h"
#include "mesh/scene_stages.h"
#include "mesh/scene_triangles.h"
#include "obt/obt_format.h"

namespace mesh {
namespace {

// `outcome`, stopped for `refusal`.
ImportOutcome Refused(ImportOutcome outcome, Refusal refusal) {
  outcome.status = refusal.status;
  outcome.reason = std::move(refusal.reason);
  return outcome;
}

}  // namespace

ImportOutcome ConvertScene(
    const aiScene& scene, const ImportOptions& options,
    const GaugeStretch& progress, obt::ObtObject& object,
    const std::function<void(std::size_t, std::size_t)>& sized,
    VertexNumbers numbers) {
  ImportOutcome outcome;
  std::string reason;
  std::optional<std::vector<MeshInstance>> instances =
      CollectMeshInstances(scene, reason);
  if (!instances) {
    return Refused(std::move(outcome),
                   {ImportOutcome::Status::kNotRead, std::move(reason)});
  }
  outcome.meshes = static_cast<int64_t>(instances->size());

  SceneFacts facts;
  std::optional<Refusal> refusal = ExamineScene(scene, *instances, facts);
  // A refusal reports those counted until then as well.
  outcome.dropped_points = facts.dropped_points;
  outcome.dropped_lines = facts.dropped_lines;
  if (refusal) return Refused(std::move(outcome), std::move(*refusal));

  Placement placement;
  refusal = ChoosePlacement(*instances, facts, options, numbers, placement);
  if (refusal) return Refused(std::move(outcome), std::move(*refusal));
  outcome.scale = placement.scale;

  JoinedVertices joined;
  refusal =
      JoinScenePoints(*instances, facts, placement, numbers, progress, joined);
  if (refusal) return Refused(std::move(outcome), std::move(*refusal));
  if (sized) {
    sized(joined.points.size(), static_cast<std::size_t>(facts.triangles));
  }

  object = obt::ObtObject{};
  object.header = {std::string(obt::kMagicLine),
                   std::string(obt::kVersion2Line)};
  object.points = std::move(joined.points);
  outcome.dropped_degenerate = MakeTriangles(*instances, facts.triangles,
                                             options, joined.numbers, object);
  // The numbers are done with: their pages go back at once.
  joined = JoinedVertices{};
  if (object.triangles.empty()) {
    return Refused(std::move(outcome),
                   {ImportOutcome::Status::kNoTriangle,
                    "the file holds no triangle that rounding leaves whole: "
                    "all " +
                        std::to_string(outcome.dropped_degenerate) +
                        " came to one point or one line (give a larger "
                        "--scale or --fit)"});
  }
  object.point_count = static_cast<int32_t>(object.points.size());
  object.triangle_count = static_cast<int32_t>(object.triangles.size());
  progress.Report(1);
  return outcome;
}

}  // namespace mesh
