#include "mesh/scene_to_object.h"

#include <assimp/scene.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <exception>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "geometry/exact_arithmetic.h"
#include "mesh/mesh_instances.h"
#include "mesh/mesh_names.h"
#include "mesh/point_joiner.h"
#include "mesh/recent_vertices.h"
#include "obt/obt_format.h"
#include "work/background.h"
#include "work/huge_pages.h"
#include "work/page_block.h"
#include "work/run_parts.h"

namespace mesh {
namespace {

using Status = ImportOutcome::Status;

// The point number of a vertex that no triangle uses.
constexpr uint32_t kUnused = UINT32_MAX;
// Beyond this a double holds only whole numbers, and an int64_t no longer
// holds every one of them once an offset is added.
constexpr double kWhole = 0x1p62;
constexpr std::size_t kProgressStep = 1 << 16;
constexpr char kAxes[] = "xyz";

// A whole number as digits, anything else as the shortest text that reads
// back as the same double.
std::string Shortest(double value) {
  if (std::fabs(value) < 1e18 && value == std::trunc(value)) {
    return std::to_string(static_cast<int64_t>(value));
  }
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

// The nearest integer, halves away from zero, for |value| < kWhole: what
// std::round gives, without a call into the maths library for each of
// millions of coordinates. Both the cut and the difference are exact, and
// there is no branch: which way a value rounds is as random as its digits.
int64_t RoundHalfAway(double value) {
  const auto cut = static_cast<int64_t>(value);
  const double rest = value - static_cast<double>(cut);
  return cut + int64_t{rest >= 0.5} - int64_t{rest <= -0.5};
}

// Whether the triangle's corners lie at one point or on one line, exactly:
// rounding to integers can make them so, even where the file's were not.
bool Degenerate(const work::TableEntry& corners,
                const std::vector<work::TableEntry>& points) {
  if (corners[0] == corners[1] || corners[1] == corners[2] ||
      corners[2] == corners[0]) {
    return true;
  }
  const auto at = [&points](int32_t point) {
    const work::TableEntry& p = points[static_cast<std::size_t>(point)];
    return geometry::Vector3{p[0], p[1], p[2]};
  };
  const geometry::Vector3 a = at(corners[0]);
  const geometry::WideVector3 normal =
      geometry::Cross(geometry::Subtract(at(corners[1]), a),
                      geometry::Subtract(at(corners[2]), a));
  return normal[0] == 0 && normal[1] == 0 && normal[2] == 0;
}

// Why an import stops.
struct Refusal {
  Status status;
  std::string reason;
};

// Below this many vertices, joining them in two halves gains nothing.
constexpr std::size_t kHalvesFrom = 1 << 16;
// Below this many used vertices, a mesh does not repay clearing a table of
// recent ones.
constexpr std::size_t kRecalledFrom = 1 << 15;
// Vertices of a batch that are met again before it is joined.
constexpr std::size_t kAliases = 4 * PointJoiner::kBatch;

// What one mesh of the scene holds, whichever nodes place it.
struct MeshFacts {
  int64_t triangles = 0;
  int64_t points = 0;
  int64_t lines = 0;
  // Per vertex, 1 when a triangle uses it: only those become points.
  std::vector<uint8_t> used;
  std::size_t used_count = 0;
  // A vertex of its own for every corner (as an STL file gives it): each
  // point is met about six times, each time soon after the last.
  bool corners_apart = false;
};

class SceneConverter {
 public:
  SceneConverter(const aiScene& scene, const ImportOptions& options,
                 const GaugeStretch& progress, VertexNumbers numbers)
      : scene_(scene),
        options_(options),
        progress_(progress),
        numbers_of_vertices_(numbers) {}

  ImportOutcome Convert(
      obt::ObtObject& object,
      const std::function<void(std::size_t, std::size_t)>& sized) {
    std::string reason;
    std::optional<std::vector<MeshInstance>> instances =
        CollectMeshInstances(scene_, reason);
    if (!instances) return Refuse(Status::kNotRead, std::move(reason));
    instances_ = std::move(*instances);
    outcome_.meshes = static_cast<int64_t>(instances_.size());

    if (!ExamineMeshes() || !ChooseScaleAndShift() || !JoinPoints()) {
      return outcome_;
    }
    if (sized) {
      sized(points_.size(), static_cast<std::size_t>(triangle_total_));
    }
    object = obt::ObtObject{};
    object.header = {std::string(obt::kMagicLine),
                     std::string(obt::kVersion2Line)};
    object.points = std::move(points_);
    MakeTriangles(object);
    if (object.triangles.empty()) {
      return Refuse(Status::kNoTriangle,
                    "the file holds no triangle that rounding leaves whole: "
                    "all " +
                        std::to_string(outcome_.dropped_degenerate) +
                        " came to one point or one line (give a larger "
                        "--scale or --fit)");
    }
    object.point_count = static_cast<int32_t>(object.points.size());
    object.triangle_count = static_cast<int32_t>(object.triangles.size());
    progress_.Report(1);
    return outcome_;
  }

 private:
  ImportOutcome& Refuse(Status status, std::string reason) {
    outcome_.status = status;
    outcome_.reason = std::move(reason);
    return outcome_;
  }

  bool Refuse(Refusal refusal) {
    Refuse(refusal.status, std::move(refusal.reason));
    return false;
  }

  std::string NameOf(const MeshInstance& instance, unsigned v) const {
    return VertexName(*instance.mesh, instance.mesh_index, v,
                      numbers_of_vertices_);
  }

  Refusal NotFinite(const MeshInstance& instance, unsigned v) const {
    return {Status::kBadCoordinate,
            NameOf(instance, v) + " has a coordinate that is no finite number"};
  }

  // Checks every face of the meshes that the tree places, and counts what
  // they hold.
  bool ExamineMeshes() {
    facts_.resize(scene_.mNumMeshes);
    std::vector<bool> examined(scene_.mNumMeshes);
    for (const MeshInstance& instance : instances_) {
      MeshFacts& facts = facts_[instance.mesh_index];
      if (!examined[instance.mesh_index]) {
        examined[instance.mesh_index] = true;
        if (!ExamineFaces(*instance.mesh, instance.mesh_index, facts)) {
          return false;
        }
      }
      triangle_total_ += facts.triangles;
      outcome_.dropped_points += facts.points;
      outcome_.dropped_lines += facts.lines;
      vertex_total_ += instance.mesh->mNumVertices;
      used_total_ += facts.used_count;
      likely_points_ +=
          facts.corners_apart ? facts.used_count / 6 : facts.used_count;
    }
    if (triangle_total_ == 0) {
      Refuse(Status::kNoTriangle, "the file holds no triangle");
      return false;
    }
    if (triangle_total_ > work::kTableCapacity) {
      Refuse(Status::kTooLarge, std::to_string(triangle_total_) +
                                    " triangles, more than one run holds");
      return false;
    }
    return true;
  }

  bool ExamineFaces(const aiMesh& mesh, unsigned mesh_index, MeshFacts& facts) {
    const unsigned vertices = mesh.mNumVertices;
    if ((vertices > 0 && mesh.mVertices == nullptr) ||
        (mesh.mNumFaces > 0 && mesh.mFaces == nullptr)) {
      Refuse(Status::kNotRead, MeshName(mesh, mesh_index) + " lacks its data");
      return false;
    }
    const auto face_name = [&mesh, mesh_index](unsigned f) {
      return FaceName(mesh, mesh_index, f);
    };
    work::AssignInHugePages(facts.used, vertices, uint8_t{0});
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const aiFace& face = mesh.mFaces[f];
      if (face.mNumIndices == 0 || face.mNumIndices > 3 ||
          face.mIndices == nullptr) {
        Refuse(Status::kNotRead, face_name(f) + " has " +
                                     std::to_string(face.mNumIndices) +
                                     " corners after triangulation");
        return false;
      }
      for (unsigned c = 0; c < face.mNumIndices; ++c) {
        if (face.mIndices[c] >= vertices) {
          Refuse(Status::kNotRead, face_name(f) + " names vertex " +
                                       std::to_string(face.mIndices[c]) +
                                       ", which the mesh lacks");
          return false;
        }
      }
      if (face.mNumIndices == 1) {
        ++facts.points;
      } else if (face.mNumIndices == 2) {
        ++facts.lines;
      } else {
        ++facts.triangles;
        for (unsigned c = 0; c < 3; ++c) {
          uint8_t& used = facts.used[face.mIndices[c]];
          facts.used_count += used ^ 1;
          used = 1;
        }
      }
    }
    facts.corners_apart = int64_t{vertices} >= 3 * facts.triangles;
    return true;
  }

  std::array<double, 3> Place(const MeshInstance& instance, unsigned v) const {
    const aiVector3D& at = instance.mesh->mVertices[v];
    return instance.transform.Apply(at.x, at.y, at.z);
  }

  // The scale, and the shift that --offset or --move-into asks for.
  bool ChooseScaleAndShift() {
    const bool fit = !options_.scale;
    scale_ = fit ? 1.0 : *options_.scale;
    shift_ = options_.offset;
    if (!fit && !options_.move_into) return true;

    std::array<double, 3> low;
    std::array<double, 3> high;
    low.fill(std::numeric_limits<double>::infinity());
    high.fill(-std::numeric_limits<double>::infinity());
    for (const MeshInstance& instance : instances_) {
      const std::vector<uint8_t>& used = facts_[instance.mesh_index].used;
      for (unsigned v = 0; v < instance.mesh->mNumVertices; ++v) {
        if (used[v] == 0) continue;
        const std::array<double, 3> at = Place(instance, v);
        for (int axis = 0; axis < 3; ++axis) {
          if (!std::isfinite(at[axis])) return Refuse(NotFinite(instance, v));
          low[axis] = std::min(low[axis], at[axis]);
          high[axis] = std::max(high[axis], at[axis]);
        }
      }
    }
    if (fit) {
      double extent = 0;
      for (int axis = 0; axis < 3; ++axis) {
        extent = std::max(extent, high[axis] - low[axis]);
      }
      if (extent == 0) {
        Refuse(Status::kNoExtent,
               "every vertex lies at one place, so the object has no extent "
               "to fit; give --scale");
        return false;
      }
      scale_ = options_.fit_extent / extent;
    }
    if (!options_.move_into) return true;

    // Rounding keeps the order of values, so the rounded extremes are the
    // extremes of the rounded points.
    const int sides[3] = {options_.move_into->x, options_.move_into->y,
                          options_.move_into->z};
    for (int axis = 0; axis < 3; ++axis) {
      const double touching =
          (sides[axis] == 1 ? high[axis] : low[axis]) * scale_;
      if (!(std::fabs(touching) < kWhole)) {
        Refuse(Status::kBadCoordinate,
               std::string("the object reaches ") + kAxes[axis] + " = " +
                   Shortest(touching) +
                   ", far outside the 32-bit range of OBT coordinates");
        return false;
      }
      shift_[axis] = -RoundHalfAway(touching);
    }
    return true;
  }

  // Gives every used vertex of every instance its point number. A large
  // scene is joined in two halves at once, the second half by a helper
  // thread into a joiner of its own; its points then join the first half's
  // in their order, so that the numbers come out as one joiner would give
  // them: in the order the points are first seen.
  bool JoinPoints() {
    outcome_.scale = scale_;
    number_block_ = work::PageBlock(vertex_total_ * sizeof(uint32_t));
    numbers_ = static_cast<uint32_t*>(number_block_.data());
    joiner_.Expect(used_total_, likely_points_);
    std::size_t middle = vertex_total_;
    PointJoiner second;
    std::optional<Refusal> second_refusal;
    std::atomic<bool> first_refused = false;
    {
      // Without a thread to be had: slower, but the same numbers.
      work::Background helper;
      if (vertex_total_ >= kHalvesFrom &&
          helper.Start([&, from = vertex_total_ / 2] {
            second.Expect(std::min(used_total_, vertex_total_ - from),
                          likely_points_ / 2);
            second_refusal =
                JoinRange(from, vertex_total_, second, &first_refused);
          })) {
        middle = vertex_total_ / 2;
      }
      if (std::optional<Refusal> refusal =
              JoinRange(0, middle, joiner_, nullptr)) {
        first_refused = true;
        return Refuse(std::move(*refusal));
      }
      helper.Wait();
    }
    if (second_refusal) return Refuse(std::move(*second_refusal));
    if (middle < vertex_total_) {
      JoinSecondHalf(middle, second);
    } else {
      points_ = joiner_.TakePoints();
    }
    if (static_cast<int64_t>(points_.size()) > work::kTableCapacity) {
      return Refuse(TooManyPoints());
    }
    return true;
  }

  // Joins the used vertices from `begin` to `end` (counted over all
  // instances) in batches, setting their numbers from the joiner's. Stops
  // early with the refusal of the first vertex that has no point, or once
  // there are more points than a run holds, or when `stop` turns true;
  // without `stop`, this is the first range and reports progress.
  std::optional<Refusal> JoinRange(std::size_t begin, std::size_t end,
                                   PointJoiner& joiner,
                                   const std::atomic<bool>* stop) {
    std::array<work::TableEntry, PointJoiner::kBatch> batch;
    std::array<RecentVertices::Key, PointJoiner::kBatch> keys;
    std::array<uint32_t, PointJoiner::kBatch> joined;
    std::array<std::size_t, PointJoiner::kBatch> places;
    std::size_t batched = 0;
    std::unique_ptr<RecentVertices> recent;
    // Whether the vertices batched are remembered in `recent`: as pending
    // (kPending | place in the batch) until the batch is joined, so that a
    // vertex met again within the batch takes the number of the first.
    bool recalling = false;
    constexpr uint32_t kPending = 1U << 31;
    // Such vertices met again: where each goes, and its first's place in
    // the batch.
    std::array<std::size_t, kAliases> alias_places;
    std::array<uint32_t, kAliases> alias_of;
    std::size_t aliased = 0;
    const auto flush = [&] {
      joiner.Join(std::span(batch.data(), batched), joined.data());
      for (std::size_t i = 0; i < batched; ++i) {
        numbers_[places[i]] = joined[i];
        if (recalling) recent->Remember(keys[i], joined[i]);
      }
      for (std::size_t i = 0; i < aliased; ++i) {
        numbers_[alias_places[i]] = joined[alias_of[i]];
      }
      batched = 0;
      aliased = 0;
      return static_cast<int64_t>(joiner.point_count()) <= work::kTableCapacity;
    };
    std::size_t next = 0;
    for (const MeshInstance& instance : instances_) {
      const unsigned vertices = instance.mesh->mNumVertices;
      if (next + vertices <= begin) {
        next += vertices;
        continue;
      }
      const MeshFacts& facts = facts_[instance.mesh_index];
      const bool recalls =
          facts.corners_apart && facts.used_count >= kRecalledFrom;
      if (recalls || recalling) {
        // The numbers of one instance are no use under another's transform.
        if (!flush()) return TooManyPoints();
        recalling = recalls;
        if (recalls) {
          if (!recent) recent = std::make_unique<RecentVertices>();
          recent->Clear();
        }
      }
      for (auto v = static_cast<unsigned>(begin > next ? begin - next : 0);
           v < vertices && next + v < end; ++v) {
        const std::size_t place = next + v;
        const aiVector3D& at = instance.mesh->mVertices[v];
        numbers_[place] = kUnused;
        if (facts.used[v] == 0) {
          if (!std::isfinite(at.x) || !std::isfinite(at.y) ||
              !std::isfinite(at.z)) {
            return NotFinite(instance, v);
          }
          continue;
        }
        if (recalling) {
          keys[batched] = RecentVertices::KeyOf(at.x, at.y, at.z);
          const uint32_t found = recent->Find(keys[batched]);
          if (found != RecentVertices::kNone) {
            if ((found & kPending) == 0) {
              numbers_[place] = found;
            } else {
              alias_places[aliased] = place;
              alias_of[aliased++] = found & ~kPending;
              if (aliased == kAliases && !flush()) return TooManyPoints();
            }
            continue;
          }
          recent->Remember(keys[batched],
                           kPending | static_cast<uint32_t>(batched));
        }
        if (!Round(instance, v, batch[batched])) {
          return RoundingRefusal(instance, v);
        }
        places[batched++] = place;
        if (batched < PointJoiner::kBatch) continue;
        if (!flush()) return TooManyPoints();
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
    if (!flush()) return TooManyPoints();
    return std::nullopt;
  }

  // The second half's points join the first half's, and its vertices take
  // the numbers that gives them: the points are looked up among the first
  // half's on two threads, and those not there follow them in their order.
  void JoinSecondHalf(std::size_t middle, PointJoiner& second) {
    const std::vector<work::TableEntry> added = second.TakePoints();
    const auto renumbered =
        std::make_unique_for_overwrite<uint32_t[]>(added.size());
    work::RunParts(2, [&](std::size_t part) {
      const std::size_t end = added.size() * (part + 1) / 2;
      for (std::size_t first = added.size() * part / 2; first < end;
           first += PointJoiner::kBatch) {
        joiner_.Find(std::span(added.data() + first,
                               std::min(PointJoiner::kBatch, end - first)),
                     renumbered.get() + first);
      }
    });
    points_ = joiner_.TakePoints();
    for (std::size_t i = 0; i < added.size(); ++i) {
      if (renumbered[i] == PointJoiner::kAbsent) {
        renumbered[i] = static_cast<uint32_t>(points_.size());
        points_.push_back(added[i]);
      }
    }
    for (std::size_t place = middle; place < vertex_total_; ++place) {
      if (numbers_[place] != kUnused) {
        numbers_[place] = renumbered[numbers_[place]];
      }
    }
  }

  static Refusal TooManyPoints() {
    return {Status::kTooLarge, "more points than one run holds"};
  }

  // The point of vertex v, false when it has none.
  bool Round(const MeshInstance& instance, unsigned v,
             work::TableEntry& point) const {
    const std::array<double, 3> at = Place(instance, v);
    bool inside = true;
    for (int axis = 0; axis < 3; ++axis) {
      const double scaled = at[axis] * scale_;
      // False for a NaN too; no branch, as in the rounding.
      const bool whole = std::fabs(scaled) < kWhole;
      const int64_t moved = RoundHalfAway(whole ? scaled : 0) + shift_[axis];
      // Within the 32-bit range exactly when this wraps to below 2^32.
      inside &=
          whole && static_cast<uint64_t>(moved) + 0x8000'0000u <= UINT32_MAX;
      point[axis] = static_cast<int32_t>(moved);
    }
    return inside;
  }

  // Why vertex v, which Round refused, has no point.
  Refusal RoundingRefusal(const MeshInstance& instance, unsigned v) const {
    const std::array<double, 3> at = Place(instance, v);
    for (int axis = 0; axis < 3; ++axis) {
      const double scaled = at[axis] * scale_;
      // Finite in the file, but not once scaled: out of range like the
      // others.
      if (!std::isfinite(at[axis])) return NotFinite(instance, v);
      const bool whole = std::fabs(scaled) < kWhole;
      const int64_t moved = whole ? RoundHalfAway(scaled) + shift_[axis] : 0;
      if (!whole || moved < std::numeric_limits<int32_t>::min() ||
          moved > std::numeric_limits<int32_t>::max()) {
        return {Status::kBadCoordinate,
                NameOf(instance, v) + " comes to " + kAxes[axis] + " = " +
                    Shortest(whole ? static_cast<double>(moved) : scaled) +
                    ", outside the 32-bit range of OBT coordinates"};
      }
    }
    return {Status::kBadCoordinate, NameOf(instance, v) + " has no point"};
  }

  void MakeTriangles(obt::ObtObject& object) {
    const auto total = static_cast<std::size_t>(triangle_total_);
    work::ReserveInHugePages(object.triangles, total);
    work::ReserveInHugePages(object.fourth_values, total);
    std::size_t first = 0;
    for (const MeshInstance& instance : instances_) {
      const aiMesh& mesh = *instance.mesh;
      // An instance placed by a mirroring transform keeps its faces
      // turned the way the file turns them only with its corners reversed.
      const bool reverse = options_.flip != instance.transform.Mirrors();
      const uint8_t fourth =
          options_.fourth_from_material
              ? static_cast<uint8_t>(mesh.mMaterialIndex % 256)
              : options_.fourth_value;
      for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3) continue;
        work::TableEntry corners;
        for (int c = 0; c < 3; ++c) {
          corners[c] = static_cast<int32_t>(numbers_[first + face.mIndices[c]]);
        }
        if (reverse) std::swap(corners[0], corners[1]);
        if (Degenerate(corners, object.points)) {
          ++outcome_.dropped_degenerate;
          continue;
        }
        object.triangles.push_back(corners);
        object.fourth_values.push_back(fourth);
      }
      first += mesh.mNumVertices;
    }
    number_block_ = work::PageBlock();
    numbers_ = nullptr;
  }

  const aiScene& scene_;
  const ImportOptions& options_;
  const GaugeStretch& progress_;
  ImportOutcome outcome_;

  std::vector<MeshInstance> instances_;
  std::vector<MeshFacts> facts_;
  int64_t triangle_total_ = 0;
  std::size_t vertex_total_ = 0;
  std::size_t used_total_ = 0;
  // How many points the used vertices likely make, for sizing the joiner.
  std::size_t likely_points_ = 0;
  double scale_ = 1;
  std::array<int64_t, 3> shift_{};
  PointJoiner joiner_;
  // The points the joiners made, in the order they are first seen.
  std::vector<work::TableEntry> points_;
  // The point number of each vertex of each instance, instance after
  // instance.
  work::PageBlock number_block_;
  uint32_t* numbers_ = nullptr;
  const VertexNumbers numbers_of_vertices_;
};

}  // namespace

ImportOutcome ConvertScene(
    const aiScene& scene, const ImportOptions& options,
    const GaugeStretch& progress, obt::ObtObject& object,
    const std::function<void(std::size_t, std::size_t)>& sized,
    VertexNumbers numbers) {
  return SceneConverter(scene, options, progress, numbers)
      .Convert(object, sized);
}

}  // namespace mesh
