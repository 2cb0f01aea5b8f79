#include "geometry/plane_cut.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <unordered_map>
#include <vector>

#include "geometry/hash_mix.h"
#include "geometry/run_copies.h"

namespace geometry {
namespace {

int SideOn(const mirror::OctantSides& sides, int axis) {
  return axis == 0 ? sides.x : axis == 1 ? sides.y : sides.z;
}

// The axes on which the point lies beyond its plane.
AxisMask BeyondAxes(const Vector3& point, const CutPlanes& planes) {
  AxisMask beyond = 0;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if (planes.keep[axis] * point[axis] < 0) {
      beyond |= static_cast<AxisMask>(1u << axis);
    }
  }
  return beyond;
}

// The new points of a cut, each made once: by what it is, as CutCorner
// names it.
class NewPoints {
 public:
  // The number of the point `corner`, counted after the object's `kept`.
  int64_t NumberOf(const CutCorner& corner,
                   const mirror::MirrorCentre& centre) {
    const Key key{static_cast<uint64_t>(corner.kind) << 40 |
                      static_cast<uint64_t>(corner.axis) << 32 | corner.a,
                  corner.b};
    const auto [at, added] = numbers_.try_emplace(key, points_.size());
    if (added) {
      const Vector3 p = corner.Rounded();
      points_.push_back({static_cast<int32_t>(p[0] + centre.x),
                         static_cast<int32_t>(p[1] + centre.y),
                         static_cast<int32_t>(p[2] + centre.z)});
    }
    return static_cast<int64_t>(at->second);
  }
  const std::vector<work::TableEntry>& points() const { return points_; }

 private:
  struct Key {
    uint64_t first;
    uint64_t second;
    bool operator==(const Key&) const = default;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const {
      return static_cast<std::size_t>(MixBits(key.first ^ MixBits(key.second)));
    }
  };
  std::unordered_map<Key, std::size_t, KeyHash> numbers_;
  std::vector<work::TableEntry> points_;
};

bool Degenerate(const Vector3& a, const Vector3& b, const Vector3& c) {
  return Cross(Subtract(b, a), Subtract(c, a)) == WideVector3{};
}

}  // namespace

CutPlanes PlanesToCut(const obt::ObtObject& object,
                      const mirror::MirrorCentre& centre,
                      const mirror::OctantSides& source, AxisMask mirrored) {
  std::array<bool, 3> kept_side{};
  std::array<bool, 3> far_side{};
  const std::size_t count =
      std::min(object.points.size(),
               static_cast<std::size_t>(std::max(object.point_count, 0)));
  for (std::size_t i = 0; i < count; ++i) {
    const Vector3 d = RelativeTo(object.points[i], centre);
    for (std::size_t axis = 0; axis < 3; ++axis) {
      const int keep = SideOn(source, static_cast<int>(axis)) == 1 ? -1 : 1;
      if (keep * d[axis] > 0) kept_side[axis] = true;
      if (keep * d[axis] < 0) far_side[axis] = true;
    }
  }
  CutPlanes planes;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if ((mirrored >> axis & 1) != 0 && kept_side[axis] && far_side[axis]) {
      planes.keep[axis] = SideOn(source, static_cast<int>(axis)) == 1 ? -1 : 1;
    }
  }
  return planes;
}

CutCounts CutAtPlanes(obt::ObtObject& object,
                      const mirror::MirrorCentre& centre,
                      const CutPlanes& planes) {
  CutCounts counts;
  // Against the count, as the run reads the points.
  const auto point_total =
      static_cast<std::size_t>(std::max(object.point_count, 0));
  const std::size_t triangle_total =
      std::min(object.triangles.size(),
               static_cast<std::size_t>(std::max(object.triangle_count, 0)));
  for (std::size_t t = 0; t < triangle_total; ++t) {
    for (const int32_t corner : object.triangles[t]) {
      if (corner < 0 || static_cast<std::size_t>(corner) >= point_total) {
        counts.bad_triangle = static_cast<int64_t>(t);
        return counts;
      }
    }
  }
  if (!planes.Any()) return counts;
  object.PadWithZeros();

  std::vector<Vector3> relative(point_total);
  std::vector<AxisMask> beyond(point_total);
  for (std::size_t i = 0; i < point_total; ++i) {
    relative[i] = RelativeTo(object.points[i], centre);
    beyond[i] = BeyondAxes(relative[i], planes);
  }

  // The triangles' corners as kept points (their numbers) or new ones
  // (point_total and on).
  std::vector<std::array<int64_t, 3>> triangles;
  std::vector<uint8_t> fourth_values;
  triangles.reserve(object.triangles.size());
  fourth_values.reserve(object.triangles.size());
  std::vector<bool> used_before(point_total);
  std::vector<bool> used_after(point_total);
  NewPoints new_points;
  const auto number_of = [&](const CutCorner& corner) {
    if (corner.kind == CutCorner::Kind::kPoint) {
      used_after[corner.a] = true;
      return static_cast<int64_t>(corner.a);
    }
    return static_cast<int64_t>(point_total) +
           new_points.NumberOf(corner, centre);
  };
  for (std::size_t t = 0; t < object.triangles.size(); ++t) {
    const work::TableEntry& triangle = object.triangles[t];
    CutInput input;
    input.triangle = static_cast<uint32_t>(t);
    AxisMask any_beyond = 0;
    AxisMask all_beyond = 7;
    for (std::size_t k = 0; k < 3; ++k) {
      const auto point = static_cast<uint32_t>(triangle[k]);
      used_before[point] = true;
      input.points[k] = point;
      input.corners[k] = relative[point];
      any_beyond |= beyond[point];
      all_beyond &= beyond[point];
    }
    if (any_beyond == 0) {
      for (const uint32_t point : input.points) used_after[point] = true;
      triangles.push_back({triangle[0], triangle[1], triangle[2]});
      fourth_values.push_back(object.fourth_values[t]);
      continue;
    }
    const std::vector<CutCorner> part =
        all_beyond != 0 ? std::vector<CutCorner>{} : CutTriangle(input, planes);
    if (part.empty()) {
      ++counts.dropped;
      continue;
    }
    ++counts.cut;
    const Vector3 first = part[0].Rounded();
    for (std::size_t k = 1; k + 1 < part.size(); ++k) {
      if (Degenerate(first, part[k].Rounded(), part[k + 1].Rounded())) {
        ++counts.dropped;
        continue;
      }
      triangles.push_back(
          {number_of(part[0]), number_of(part[k]), number_of(part[k + 1])});
      fourth_values.push_back(object.fourth_values[t]);
    }
  }

  // Renumbered: the kept points in their order, then the new ones.
  std::vector<int64_t> numbers(point_total, -1);
  std::vector<work::TableEntry> points;
  points.reserve(point_total + new_points.points().size());
  for (std::size_t i = 0; i < point_total; ++i) {
    if (used_after[i] || (!used_before[i] && beyond[i] == 0)) {
      numbers[i] = static_cast<int64_t>(points.size());
      points.push_back(object.points[i]);
    }
  }
  const auto first_new = static_cast<int64_t>(points.size());
  points.insert(points.end(), new_points.points().begin(),
                new_points.points().end());
  counts.points_added = static_cast<int64_t>(new_points.points().size());
  object.triangles.resize(triangles.size());
  for (std::size_t t = 0; t < triangles.size(); ++t) {
    for (std::size_t k = 0; k < 3; ++k) {
      const int64_t n = triangles[t][k];
      const int64_t renumbered =
          n < static_cast<int64_t>(point_total)
              ? numbers[static_cast<std::size_t>(n)]
              : first_new + (n - static_cast<int64_t>(point_total));
      object.triangles[t][k] = static_cast<int32_t>(renumbered);
    }
  }
  object.points.swap(points);
  object.fourth_values.swap(fourth_values);
  object.point_count = static_cast<int32_t>(object.points.size());
  object.triangle_count = static_cast<int32_t>(object.triangles.size());
  // The lines of the file no longer belong to the entries.
  object.point_lines = obt::RecordLines();
  object.triangle_lines = obt::RecordLines();
  return counts;
}

CutCounts CutForRun(obt::ObtObject& object, const mirror::MirrorCentre& centre,
                    mirror::OctantCode source_octant,
                    const mirror::CopyPlan& plan) {
  const RunCopies copies(source_octant, plan);
  return CutAtPlanes(object, centre,
                     PlanesToCut(object, centre, copies.source_sides(),
                                 copies.mirrored_axes()));
}

}  // namespace geometry
