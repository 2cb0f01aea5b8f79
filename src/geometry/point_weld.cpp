#include "geometry/point_weld.h"

#include <algorithm>
#include <array>
#include <limits>

#include "geometry/fingerprint_index.h"

namespace geometry {
namespace {

using work::TableEntry;

// The smallest box around the source points.
struct Box {
  TableEntry low = {std::numeric_limits<int32_t>::max(),
                    std::numeric_limits<int32_t>::max(),
                    std::numeric_limits<int32_t>::max()};
  TableEntry high = {std::numeric_limits<int32_t>::min(),
                     std::numeric_limits<int32_t>::min(),
                     std::numeric_limits<int32_t>::min()};

  void Add(const TableEntry& point) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      low[axis] = std::min(low[axis], point[axis]);
      high[axis] = std::max(high[axis], point[axis]);
    }
  }
  bool Holds(const TableEntry& point) const {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (point[axis] < low[axis] || point[axis] > high[axis]) return false;
    }
    return true;
  }
};

// Where an output point is written: the copy and source point of the first
// output point with its coordinates.
struct Partner {
  std::size_t copy;
  uint32_t point;
};

// The first source points, the fixed axes, the box and the straddled axes
// of the source; leaves in `index` the first source point of each
// position.
Box ReadSource(const TableEntry* points, WeldedPoints& welded,
               FingerprintIndex& index) {
  Box box;
  AxisMask below = 0;
  AxisMask above = 0;
  ForEachKey(
      index, welded.source_count, [points](std::size_t p) { return points[p]; },
      [&](std::size_t p, const TableEntry& point, uint64_t hash) {
        const AxisMask fixed = FixedAxes(point);
        welded.fixed_axes[p] = fixed;
        for (std::size_t axis = 0; axis < 3; ++axis) {
          if ((fixed >> axis & 1) != 0) continue;
          const AxisMask bit = static_cast<AxisMask>(1u << axis);
          (point[axis] < 0 ? below : above) |= bit;
        }
        box.Add(point);
        welded.canonical[p] =
            index.FindOrInsert(hash, static_cast<uint32_t>(p),
                               [&](uint32_t q) { return points[q] == point; });
      });
  welded.straddled = below & above;
  return box;
}

// Numbers the output points in order: each that has no partner before it
// is kept, under the next number, each other takes its partner's.
template <typename FindPartner>
std::size_t Compact(std::size_t copies, std::size_t n, WeldedPoints& welded,
                    const FindPartner& find_partner) {
  uint32_t* const remap = welded.remap.data();
  welded.kept.Reset(copies, n);
  uint32_t kept = 0;
  for (std::size_t copy = 0; copy < copies; ++copy) {
    for (uint32_t p = 0; p < n; ++p) {
      const std::size_t i = copy * n + p;
      const Partner partner = find_partner(copy, p);
      if (partner.copy == copy && partner.point == p) {
        remap[i] = kept++;
        welded.kept.Keep(copy, p);
      } else {
        remap[i] = remap[partner.copy * n + partner.point];
      }
    }
  }
  welded.kept.Count();
  return kept;
}

}  // namespace

std::size_t WeldPoints(const CopySigns& signs, int32_t point_count,
                       const TableEntry* points, WeldedPoints& welded) {
  const std::size_t n = static_cast<std::size_t>(std::max(point_count, 0));
  welded.source_count = n;
  welded.canonical.assign(n, uint32_t{0});
  welded.fixed_axes.assign(n, AxisMask{});
  welded.remap.assign(signs.copies * n, uint32_t{0});
  FingerprintIndex index(n);
  const Box box = ReadSource(points, welded, index);
  // Only there can a mirrored point meet another source point.
  const AxisMask searched = welded.straddled & signs.mirror_planes;

  // For a source that straddles no mirror plane, the partner's copy depends
  // on the copy and the fixed axes alone: the first whose axes differ from
  // this copy's only where the point is fixed.
  std::array<std::array<uint8_t, 8>, mirror::kMaxCopies + 1> first_copy{};
  for (std::size_t copy = 0; copy < signs.copies; ++copy) {
    for (AxisMask fixed = 0; fixed < 8; ++fixed) {
      std::size_t b = 0;
      while (((signs.mirrored[b] ^ signs.mirrored[copy]) & ~fixed) != 0) ++b;
      first_copy[copy][fixed] = static_cast<uint8_t>(b);
    }
  }

  if (searched == 0) {
    return Compact(signs.copies, n, welded, [&](std::size_t copy, uint32_t p) {
      return Partner{first_copy[copy][welded.fixed_axes[p]],
                     welded.canonical[p]};
    });
  }
  return Compact(
      signs.copies, n, welded, [&](std::size_t copy, uint32_t p) -> Partner {
        const AxisMask fixed = welded.fixed_axes[p];
        const TableEntry at = MirroredOn(signs.mirrored[copy], points[p]);
        for (std::size_t b = 0;; ++b) {
          const AxisMask moved =
              (signs.mirrored[b] ^ signs.mirrored[copy]) & ~fixed;
          if (moved == 0) return {b, welded.canonical[p]};
          if ((moved & ~searched) != 0) continue;
          // The source point that copy b would have to mirror onto this
          // one.
          const TableEntry wanted = MirroredOn(signs.mirrored[b], at);
          if (!box.Holds(wanted)) continue;
          const auto q = index.Find(HashTriple(wanted), [&](uint32_t q) {
            return points[q] == wanted;
          });
          if (q) return {b, *q};
        }
      });
}

}  // namespace geometry
