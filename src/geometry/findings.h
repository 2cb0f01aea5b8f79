#ifndef OBTMIRROR_GEOMETRY_FINDINGS_H_
#define OBTMIRROR_GEOMETRY_FINDINGS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace geometry {

// What a check can find about a run, in the order a report lists them.
// The numbers of a finding are named beside each kind; point and triangle
// numbers count from 0, axes 0, 1, 2 are x, y, z, octants are their codes;
// an edge is named by its corners as its first triangle gives them.
enum class FindingKind : uint8_t {
  kCentre,                // x, y, z: the centre as the run takes it
  kDuplicateCopy,         // octant whose copy is the source object again
  kObjectInOtherOctant,   // octant it lies in, source octant, octants filled
  kCopiesInOtherOctants,  // the same, and the octants the options describe
  kPointBeyondPlane,      // point, axis, coordinate, plane
  kCutAtPlanes,           // triangles cut, dropped, points added
  kImageWraps,            // point, axis, exact image, image as written
  kNegativeCount,         // list (0 points, 1 triangles), count
  kListEndsEarly,         // list, first entry missing, count
  kTextAfterEnd,
  kBadPointNumber,         // triangle, point number, point count
  kDegenerateTriangle,     // triangle, why: 0 a point named twice, 1 two
                           // corners in one place, 2 corners on a line
  kTriangleInPlane,        // triangle, axis, plane
  kEdgeClosedByMirroring,  // point, point, axis, plane
  kOpenEdge,               // point, point
  kCrowdedEdge,            // point, point, triangles using it, 1 when
                           // there are more than were counted
  kInconsistentEdge,       // point, point
  // Where the surface falls into parts (triangles joined through their
  // edges), a closed one facing the wrong way: the part's first triangle,
  // its number from 1 in the order of first triangles, the parts in all,
  // and for the wall of a cavity that faces outward the innermost part it
  // lies in (0 for a part that faces inward).
  kInwardPart,
  kFlatPart,
  kOutwardVolume,
  kInwardVolume,
  kFlatVolume,
};

inline constexpr std::size_t kFindingKindCount =
    static_cast<std::size_t>(FindingKind::kFlatVolume) + 1;

struct KindTraits {
  // A stable name for scripts.
  std::string_view key;
  // False for information: the result is sound in spite of it.
  bool spoils;
};

const KindTraits& TraitsOf(FindingKind kind);

// A set of kinds: bit k for the kind numbered k.
using FindingKinds = uint32_t;
static_assert(kFindingKindCount <= 32);

constexpr FindingKinds KindBit(FindingKind kind) {
  return FindingKinds{1} << static_cast<unsigned>(kind);
}

struct Finding {
  FindingKind kind = FindingKind::kCentre;
  // The 1-based line in the source file; 0 for findings about the run.
  int64_t line = 0;
  std::array<int64_t, 4> numbers{};

  bool operator==(const Finding&) const = default;
};

// The findings of one check: every one counted, the first few of each
// kind (by line) kept, so that a file with millions of them costs no more
// than a clean one.
class FindingList {
 public:
  static constexpr std::size_t kKeptPerKind = 10;

  void Add(const Finding& finding);

  // Adds those of `other`, as if each had been added here.
  void Merge(const FindingList& other);

  // A picture holds no more marks than this of a kind: they would cover
  // it many times over, and a hostile file could fill memory with them.
  static constexpr std::size_t kMostKeptEvery = std::size_t{1} << 18;

  // Keeps every finding of `kinds` besides the first few, up to
  // kMostKeptEvery of each, for a picture that marks each one where it
  // lies; set before the first Add.
  void KeepEvery(FindingKinds kinds) { every_kinds_ = kinds; }
  // An empty list that keeps what this one keeps, for a share of the work
  // that is merged into it afterwards.
  FindingList Alike() const;

  std::span<const Finding> Kept(FindingKind kind) const {
    return kept_[Index(kind)];
  }
  // The findings of a kind that KeepEvery named, in no particular order;
  // none for the other kinds.
  std::span<const Finding> Every(FindingKind kind) const {
    return every_[Index(kind)];
  }
  int64_t Count(FindingKind kind) const { return counts_[Index(kind)]; }
  // How many findings spoil the result, and how many are information.
  int64_t SpoilingCount() const { return CountWhere(true); }
  int64_t InformationCount() const { return CountWhere(false); }

 private:
  static std::size_t Index(FindingKind kind) {
    return static_cast<std::size_t>(kind);
  }
  int64_t CountWhere(bool spoils) const;
  // Keeps `finding` if it is among the first of its kind.
  void Keep(const Finding& finding);

  std::array<std::vector<Finding>, kFindingKindCount> kept_;
  std::array<int64_t, kFindingKindCount> counts_{};
  FindingKinds every_kinds_ = 0;
  std::array<std::vector<Finding>, kFindingKindCount> every_;
};

}  // namespace geometry

#endif  // OBTMIRROR_GEOMETRY_FINDINGS_H_
