#include "geometry/triangle_weld.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "geometry/fingerprint_index.h"
#include "mirror/replication.h"

namespace geometry {
namespace {

using work::TableEntry;

// A triangle's corners in ascending order, and whether its own order turns
// the other way (an odd permutation of them). A triangle with two equal
// corners has no turning.
struct SortedCorners {
  TableEntry key;
  bool reversed = false;
};

SortedCorners SortCorners(TableEntry corners) {
  bool odd = false;
  const auto order = [&](std::size_t i, std::size_t j) {
    if (corners[i] > corners[j]) {
      std::swap(corners[i], corners[j]);
      odd = !odd;
    }
  };
  order(0, 1);
  order(1, 2);
  order(0, 1);
  const bool degenerate = corners[0] == corners[1] || corners[1] == corners[2];
  return {corners, odd && !degenerate};
}

// The output's triangles over the same three welded points, for the
// triangles that may meet others; each group keeps at most one.
class TriangleGroups {
 public:
  explicit TriangleGroups(std::size_t triangles) : index_(triangles) {}

  void Add(uint32_t triangle, const TableEntry& corners) {
    const SortedCorners sorted = SortCorners(corners);
    const uint32_t g = index_.FindOrInsert(
        HashTriple(sorted.key), static_cast<uint32_t>(groups_.size()),
        [&](uint32_t g) { return groups_[g].key == sorted.key; });
    if (g == groups_.size()) groups_.push_back({sorted.key});
    Group& group = groups_[g];
    uint32_t& count = sorted.reversed ? group.turning_back : group.turning_on;
    if (count++ == 0) {
      (sorted.reversed ? group.first_back : group.first_on) = triangle;
    }
  }

  // Whether the triangle, added before, is the one its group keeps: the
  // repeats of a turning count once, so none when both turnings are there
  // (a face and its mirror image, however often the source octant comes),
  // else the first.
  bool Keeps(uint32_t triangle, const TableEntry& corners) const {
    const SortedCorners sorted = SortCorners(corners);
    const Group& group =
        groups_[*index_.Find(HashTriple(sorted.key), [&](uint32_t g) {
          return groups_[g].key == sorted.key;
        })];
    if (group.turning_on != 0 && group.turning_back != 0) return false;
    return triangle ==
           (group.turning_on != 0 ? group.first_on : group.first_back);
  }

 private:
  struct Group {
    TableEntry key;
    uint32_t turning_on = 0;
    uint32_t turning_back = 0;
    uint32_t first_on = 0;
    uint32_t first_back = 0;
  };

  std::vector<Group> groups_;
  FingerprintIndex index_;
};

std::optional<CornerOutOfRange> FindCornerOutOfRange(
    const TableEntry* triangles, std::size_t count, std::size_t points) {
  for (std::size_t t = 0; t < count; ++t) {
    for (const int32_t corner : triangles[t]) {
      if (corner < 0 || static_cast<std::size_t>(corner) >= points) {
        return CornerOutOfRange{t, corner, points};
      }
    }
  }
  return std::nullopt;
}

// Marks the source triangles whose copies may meet other triangles than
// their own repetitions: those that share their first source points with
// another source triangle, and those whose corners all lie in one plane the
// run mirrors in.
std::vector<uint8_t> FindExceptions(const CopySigns& signs,
                                    const WeldedPoints& points,
                                    const TableEntry* triangles,
                                    std::size_t count) {
  std::vector<uint8_t> exceptional(count, 0);
  if ((points.straddled & signs.mirror_planes) != 0) {
    std::fill(exceptional.begin(), exceptional.end(), 1);
    return exceptional;
  }
  const auto source_key = [&](std::size_t t) {
    TableEntry corners;
    for (std::size_t k = 0; k < 3; ++k) {
      corners[k] = static_cast<int32_t>(
          points.canonical[static_cast<std::size_t>(triangles[t][k])]);
    }
    return SortCorners(corners).key;
  };
  FingerprintIndex index(count);
  ForEachKey(index, count, source_key,
             [&](std::size_t t, const TableEntry& key, uint64_t hash) {
               AxisMask in_plane = signs.mirror_planes;
               for (const int32_t corner : key) {
                 in_plane &=
                     points.fixed_axes[static_cast<std::size_t>(corner)];
               }
               if (in_plane != 0) exceptional[t] = 1;
               const uint32_t first = index.FindOrInsert(
                   hash, static_cast<uint32_t>(t),
                   [&](uint32_t q) { return source_key(q) == key; });
               if (first != t) exceptional[first] = exceptional[t] = 1;
             });
  return exceptional;
}

}  // namespace

std::optional<CornerOutOfRange> WeldTriangles(const mirror::CopyPlan& plan,
                                              const WeldedPoints& points,
                                              int32_t triangle_count,
                                              const TableEntry* triangles,
                                              mirror::KeptEntries& kept) {
  const std::size_t t_count =
      static_cast<std::size_t>(std::max(triangle_count, 0));
  if (const auto out_of_range =
          FindCornerOutOfRange(triangles, t_count, points.source_count)) {
    return out_of_range;
  }
  const CopySigns signs(plan);
  const std::vector<uint8_t> exceptional =
      FindExceptions(signs, points, triangles, t_count);
  std::vector<uint32_t> exceptions;
  for (uint32_t t = 0; t < t_count; ++t) {
    if (exceptional[t] != 0) exceptions.push_back(t);
  }

  const auto n = static_cast<int32_t>(points.source_count);
  const uint32_t* remap = points.remap.data();
  const auto welded = [&](std::size_t copy, uint32_t t) {
    const TableEntry corners =
        mirror::ReplicatedTriangle(plan, copy, n, triangles[t]);
    TableEntry renumbered;
    for (std::size_t k = 0; k < 3; ++k) {
      renumbered[k] =
          static_cast<int32_t>(remap[static_cast<uint32_t>(corners[k])]);
    }
    return renumbered;
  };

  TriangleGroups groups(exceptions.size() * signs.copies);
  for (std::size_t copy = 0; copy < signs.copies; ++copy) {
    for (const uint32_t t : exceptions) {
      groups.Add(static_cast<uint32_t>(copy * t_count + t), welded(copy, t));
    }
  }

  // A repeated copy keeps only what its exceptional triangles keep: all
  // the others meet their first copy.
  kept.Reset(signs.copies, t_count);
  for (std::size_t copy = 0; copy < signs.copies; ++copy) {
    if (signs.first_of_its_kind[copy]) kept.KeepCopy(copy);
    for (const uint32_t t : exceptions) {
      if (groups.Keeps(static_cast<uint32_t>(copy * t_count + t),
                       welded(copy, t))) {
        kept.Keep(copy, t);
      } else {
        kept.Drop(copy, t);
      }
    }
  }
  kept.Count();
  return std::nullopt;
}

}  // namespace geometry
