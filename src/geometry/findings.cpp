#include "geometry/findings.h"

#include <algorithm>
#include <tuple>

namespace geometry {
namespace {

constexpr std::array<KindTraits, kFindingKindCount> kTraits = {{
    {"centre", false},
    {"duplicate-copy", true},
    {"object-in-other-octant", false},
    {"copies-in-other-octants", true},
    {"point-beyond-plane", true},
    {"cut-at-planes", false},
    {"image-wraps", true},
    {"negative-count", true},
    {"list-ends-early", true},
    {"text-after-end", false},
    {"bad-point-number", true},
    {"degenerate-triangle", true},
    {"triangle-in-plane", true},
    {"edge-closed-by-mirroring", false},
    {"open-edge", true},
    {"edge-used-more-than-twice", true},
    {"edge-same-direction-twice", true},
    {"part-volume-inward", true},
    {"part-volume-zero", true},
    {"volume-outward", false},
    {"volume-inward", true},
    {"volume-zero", true},
}};
static_assert(!kTraits.back().key.empty(), "a kind without its traits");

// Findings of one kind are kept by line, and by their numbers where lines
// tie, so that what is kept does not depend on the order they come in.
bool Before(const Finding& a, const Finding& b) {
  return std::tie(a.line, a.numbers) < std::tie(b.line, b.numbers);
}

}  // namespace

const KindTraits& TraitsOf(FindingKind kind) {
  return kTraits[static_cast<std::size_t>(kind)];
}

void FindingList::Add(const Finding& finding) {
  ++counts_[Index(finding.kind)];
  Keep(finding);
  std::vector<Finding>& every = every_[Index(finding.kind)];
  if ((every_kinds_ & KindBit(finding.kind)) != 0 &&
      every.size() < kMostKeptEvery) {
    every.push_back(finding);
  }
}

void FindingList::Merge(const FindingList& other) {
  for (std::size_t i = 0; i < kFindingKindCount; ++i) {
    counts_[i] += other.counts_[i];
    for (const Finding& finding : other.kept_[i]) Keep(finding);
    if ((every_kinds_ >> i & 1) != 0) {
      const std::size_t room = kMostKeptEvery - every_[i].size();
      const std::size_t taken = std::min(room, other.every_[i].size());
      every_[i].insert(
          every_[i].end(), other.every_[i].begin(),
          other.every_[i].begin() + static_cast<std::ptrdiff_t>(taken));
    }
  }
}

FindingList FindingList::Alike() const {
  FindingList list;
  list.KeepEvery(every_kinds_);
  return list;
}

void FindingList::Keep(const Finding& finding) {
  std::vector<Finding>& kept = kept_[Index(finding.kind)];
  if (kept.size() == kKeptPerKind) {
    if (!Before(finding, kept.back())) return;
    kept.pop_back();
  }
  kept.insert(std::upper_bound(kept.begin(), kept.end(), finding, Before),
              finding);
}

int64_t FindingList::CountWhere(bool spoils) const {
  int64_t count = 0;
  for (std::size_t i = 0; i < kFindingKindCount; ++i) {
    if (kTraits[i].spoils == spoils) count += counts_[i];
  }
  return count;
}

}  // namespace geometry
