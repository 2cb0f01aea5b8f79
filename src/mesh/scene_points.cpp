#include "mesh/scene_points.h"

#include <assimp/mesh.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstddef>
#include <memory>
#include <utility>

#include "mesh/point_joiner.h"
#include "mesh/recent_vertices.h"
#include "mesh/vertex_batch.h"
#include "mesh/vertex_rounding.h"
#include "work/background.h"
#include "work/run_parts.h"

namespace mesh {
namespace {

// Below this many vertices, joining them in two halves gains nothing.
constexpr std::size_t kHalvesFrom = 1 << 16;
// Below this many used vertices, a mesh does not repay clearing a table of
// recent ones.
constexpr std::size_t kRecalledFrom = 1 << 15;
constexpr std::size_t kProgressStep = 1 << 16;

Refusal TooManyPoints() {
  return {ImportOutcome::Status::kTooLarge, "more points than one run holds"};
}

// The points of `first` followed by those of `second` that `first` lacks,
// in their order, with `second_numbers`, the numbers that `second` gave,
// turned into numbers of those points. The points of `second` are looked
// up among the first's on two threads.
std::vector<work::TableEntry> JoinHalves(PointJoiner& first,
                                         PointJoiner& second,
                                         std::span<uint32_t> second_numbers) {
  const std::vector<work::TableEntry> added = second.TakePoints();
  const auto renumbered =
      std::make_unique_for_overwrite<uint32_t[]>(added.size());
  work::RunParts(2, [&](std::size_t part) {
    const std::size_t end = added.size() * (part + 1) / 2;
    for (std::size_t from = added.size() * part / 2; from < end;
         from += PointJoiner::kBatch) {
      first.Find(std::span(added.data() + from,
                           std::min(PointJoiner::kBatch, end - from)),
                 renumbered.get() + from);
    }
  });
  std::vector<work::TableEntry> points = first.TakePoints();
  for (std::size_t i = 0; i < added.size(); ++i) {
    if (renumbered[i] == PointJoiner::kAbsent) {
      renumbered[i] = static_cast<uint32_t>(points.size());
      points.push_back(added[i]);
    }
  }
  for (uint32_t& number : second_numbers) {
    if (number != kUnused) number = renumbered[number];
  }
  return points;
}

// Gives every vertex of the instances its point number.
class PointNumbering {
 public:
  PointNumbering(std::span<const MeshInstance> instances,
                 const SceneFacts& facts, const Placement& placement,
                 VertexNumbers vertex_numbers, const GaugeStretch& progress,
                 uint32_t* numbers)
      : instances_(instances),
        facts_(facts),
        placement_(placement),
        vertex_numbers_(vertex_numbers),
        progress_(progress),
        numbers_(numbers) {}

  // Numbers the vertices into a joiner and gives its points. A large scene
  // is joined in two halves at once, the second half by a helper thread
  // into a joiner of its own; its points then join the first half's in
  // their order, so that the numbers come out as one joiner would give
  // them: in the order the points are first seen.
  std::optional<Refusal> Run(std::vector<work::TableEntry>& points) const {
    const std::size_t total = facts_.vertices;
    PointJoiner first;
    first.Expect(facts_.used, facts_.likely_points);
    std::size_t middle = total;
    PointJoiner second;
    std::optional<Refusal> second_refusal;
    std::atomic<bool> first_refused = false;
    {
      // Without a thread to be had: slower, but the same numbers.
      work::Background helper;
      if (total >= kHalvesFrom && helper.Start([&, from = total / 2] {
            second.Expect(std::min(facts_.used, total - from),
                          facts_.likely_points / 2);
            second_refusal = JoinRange(from, total, second, &first_refused);
          })) {
        middle = total / 2;
      }
      if (std::optional<Refusal> refusal =
              JoinRange(0, middle, first, nullptr)) {
        first_refused = true;
        return refusal;
      }
      helper.Wait();
    }
    if (second_refusal) return second_refusal;
    points = middle < total
                 ? JoinHalves(first, second,
                              std::span(numbers_ + middle, total - middle))
                 : first.TakePoints();
    if (static_cast<int64_t>(points.size()) > work::kTableCapacity) {
      return TooManyPoints();
    }
    return std::nullopt;
  }

 private:
  // Joins the vertices from `begin` to `end` (counted over all instances)
  // into `joiner`. Stops early with the refusal of the first vertex that
  // has no point, or once there are more points than a run holds, or when
  // `stop` turns true; without `stop`, this is the first range and reports
  // progress.
  std::optional<Refusal> JoinRange(std::size_t begin, std::size_t end,
                                   PointJoiner& joiner,
                                   const std::atomic<bool>* stop) const {
    VertexBatch batch(joiner, numbers_);
    std::size_t next = 0;
    for (const MeshInstance& instance : instances_) {
      const unsigned vertices = instance.mesh->mNumVertices;
      if (next + vertices <= begin) {
        next += vertices;
        continue;
      }
      const MeshFacts& facts = facts_.meshes[instance.mesh_index];
      if (!batch.BeginInstance(facts.corners_apart &&
                               facts.used_count >= kRecalledFrom)) {
        return TooManyPoints();
      }
      for (auto v = static_cast<unsigned>(begin > next ? begin - next : 0);
           v < vertices && next + v < end; ++v) {
        const std::size_t place = next + v;
        if (std::optional<Refusal> refusal =
                JoinVertex(instance, facts, v, place, batch)) {
          return refusal;
        }
        if (!batch.full()) continue;
        if (!batch.Flush()) return TooManyPoints();
        if (stop != nullptr) {
          if (stop->load(std::memory_order_relaxed)) return std::nullopt;
        } else if (place % kProgressStep < PointJoiner::kBatch) {
          progress_.Report(0.8 * static_cast<double>(place) /
                           static_cast<double>(end));
        }
      }
      next += vertices;
      if (next >= end) break;
    }
    if (!batch.Flush()) return TooManyPoints();
    return std::nullopt;
  }

  // Batches vertex v of `instance`, whose number goes to `place`, or
  // numbers it at once: kUnused when no triangle uses it, the number of
  // its first when it is met again.
  std::optional<Refusal> JoinVertex(const MeshInstance& instance,
                                    const MeshFacts& facts, unsigned v,
                                    std::size_t place,
                                    VertexBatch& batch) const {
    const aiVector3D& at = instance.mesh->mVertices[v];
    numbers_[place] = kUnused;
    if (facts.used[v] == 0) {
      if (!std::isfinite(at.x) || !std::isfinite(at.y) ||
          !std::isfinite(at.z)) {
        return NotFinite(instance, v, vertex_numbers_);
      }
      return std::nullopt;
    }
    if (batch.recalling()) {
      switch (batch.Recall(RecentVertices::KeyOf(at.x, at.y, at.z), place)) {
        case VertexBatch::Recalled::kNew:
          break;
        case VertexBatch::Recalled::kMet:
          return std::nullopt;
        case VertexBatch::Recalled::kTooManyPoints:
          return TooManyPoints();
      }
    }
    if (!RoundVertex(placement_, instance, v, batch.next_point())) {
      return RoundingRefusal(placement_, instance, v, vertex_numbers_);
    }
    batch.Add(place);
    return std::nullopt;
  }

  const std::span<const MeshInstance> instances_;
  const SceneFacts& facts_;
  const Placement& placement_;
  const VertexNumbers vertex_numbers_;
  const GaugeStretch& progress_;
  uint32_t* const numbers_;
};

}  // namespace

std::optional<Refusal> JoinScenePoints(std::span<const MeshInstance> instances,
                                       const SceneFacts& facts,
                                       const Placement& placement,
                                       VertexNumbers numbers,
                                       const GaugeStretch& progress,
                                       JoinedVertices& joined) {
  joined.number_block = work::PageBlock(facts.vertices * sizeof(uint32_t));
  joined.numbers = static_cast<uint32_t*>(joined.number_block.data());
  return PointNumbering(instances, facts, placement, numbers, progress,
                        joined.numbers)
      .Run(joined.points);
}

}  // namespace mesh
