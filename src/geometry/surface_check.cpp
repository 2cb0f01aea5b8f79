#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cstdint>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "geometry/check_passes.h"
#include "geometry/edge_table.h"
#include "geometry/exact_arithmetic.h"
#include "geometry/point_places.h"
#include "work/scope_exit.h"

namespace geometry {
namespace {

// How the copies that meet on an edge use it together, from sound to
// worst.
enum class EdgeState { kClosed, kOpen, kInconsistent, kCrowded };

struct EdgeUse {
  EdgeState state = EdgeState::kClosed;
  int64_t triangles = 0;
};

EdgeUse UseOf(const RunCopies::Meeting& meeting, int64_t forward,
              int64_t backward) {
  const int64_t triangles = meeting.copies * (forward + backward);
  // A copy that flips its triangles runs along the edge the other way.
  const int64_t along =
      (meeting.copies - meeting.flipped) * forward + meeting.flipped * backward;
  if (triangles > 2) return {EdgeState::kCrowded, triangles};
  if (triangles == 1) return {EdgeState::kOpen, triangles};
  return {along == 1 ? EdgeState::kClosed : EdgeState::kInconsistent,
          triangles};
}

int LowestAxis(AxisMask axes) { return std::countr_zero(axes); }

class SurfaceCheck {
 public:
  SurfaceCheck(const obt::ObtObject& object, const mirror::MirrorCentre& centre,
               const RunCopies& copies, FindingList& findings)
      : object_(object),
        centre_(centre),
        copies_(copies),
        findings_(findings),
        point_count_(std::max(object.point_count, 0)),
        places_(object.points, point_count_),
        // A closed surface has one and a half edges a triangle.
        halves_{EdgeTable(object.triangles.size() * 3 / 4),
                EdgeTable(object.triangles.size() * 3 / 4)} {
    // One more entry for the place of the points the file does not hold.
    on_planes_.reserve(object.points.size() + 1);
    for (const work::TableEntry& point : object.points) {
      on_planes_.push_back(PlanesOf(RelativeTo(point, centre)));
    }
    on_planes_.push_back(PlanesOf(RelativeTo({}, centre)));
  }

  void Run() {
    const std::size_t count = object_.triangles.size();
    {
      // The edges are shared between two tables by a bit of their hash: a
      // helper enters the uses of the second while this thread checks the
      // triangles and enters those of the first.
      std::jthread helper;
      if (count >= kHelperFrom) {
        try {
          helper = std::jthread([this] { TakeBatches(1); });
        } catch (const std::system_error&) {
          // No thread to be had: this one enters them all.
        }
      }
      const int own = helper.joinable() ? 0 : kBothHalves;
      std::size_t batch = 0;
      // However this ends, the helper learns that no batch follows.
      const work::ScopeExit last_batch([this, &batch] {
        produced_.store(batch | kLastBatch, std::memory_order_release);
        produced_.notify_one();
      });
      for (std::size_t first = 0; first < count; first += kBatchTriangles) {
        // The helper is done with the batch that had this place before.
        for (std::size_t taken = consumed_.load(std::memory_order_acquire);
             taken + kRing <= batch;
             taken = consumed_.load(std::memory_order_acquire)) {
          consumed_.wait(taken, std::memory_order_acquire);
        }
        std::vector<PendingUse>& uses = ring_[batch % kRing];
        uses.clear();
        const std::size_t end = std::min(count, first + kBatchTriangles);
        for (std::size_t t = first; t < end; ++t) {
          CheckTriangle(static_cast<uint32_t>(t), uses);
        }
        produced_.store(++batch, std::memory_order_release);
        produced_.notify_one();
        EnterUses(uses, own);
      }
    }
    const bool closed = CheckEdges();
    if (closed && any_edge_) {
      findings_.Add({volume_ > 0   ? FindingKind::kOutwardVolume
                     : volume_ < 0 ? FindingKind::kInwardVolume
                                   : FindingKind::kFlatVolume});
    }
  }

 private:
  // One use of an edge, waiting to be entered.
  struct PendingUse {
    uint32_t from;
    uint32_t to;
    uint32_t triangle;
    // The table of its edge.
    unsigned half;
  };

  // The mirrored planes through a point relative to the centre.
  AxisMask PlanesOf(const Vector3& relative) const {
    AxisMask planes = 0;
    for (int axis = 0; axis < 3; ++axis) {
      if (relative[static_cast<std::size_t>(axis)] == 0) planes |= 1U << axis;
    }
    return planes & copies_.mirrored_axes();
  }

  std::size_t Held(uint32_t place) const {
    return std::min<std::size_t>(place, object_.points.size());
  }

  Vector3 Relative(uint32_t place) const {
    const std::size_t held = Held(place);
    return RelativeTo(held < object_.points.size() ? object_.points[held]
                                                   : work::TableEntry{},
                      centre_);
  }

  int64_t LineOf(uint32_t triangle) const {
    return object_.triangle_lines.LineOf(triangle);
  }

  void Add(FindingKind kind, uint32_t triangle,
           const std::array<int64_t, 4>& numbers) {
    findings_.Add({kind, LineOf(triangle), numbers});
  }

  void CheckTriangle(uint32_t t, std::vector<PendingUse>& uses) {
    const work::TableEntry& corners = object_.triangles[t];
    for (const int32_t corner : corners) {
      if (corner < 0 || corner >= point_count_) {
        Add(FindingKind::kBadPointNumber, t, {t, corner, point_count_});
        return;
      }
    }
    if (corners[0] == corners[1] || corners[1] == corners[2] ||
        corners[2] == corners[0]) {
      Add(FindingKind::kDegenerateTriangle, t, {t, 0});
      return;
    }
    const std::array<uint32_t, 3> place = {
        places_.Of(corners[0]), places_.Of(corners[1]), places_.Of(corners[2])};
    if (place[0] == place[1] || place[1] == place[2] || place[2] == place[0]) {
      Add(FindingKind::kDegenerateTriangle, t, {t, 1});
      return;
    }
    const Vector3 a = Relative(place[0]);
    const Vector3 b = Relative(place[1]);
    const Vector3 c = Relative(place[2]);
    if (Cross(Subtract(b, a), Subtract(c, a)) == WideVector3{}) {
      Add(FindingKind::kDegenerateTriangle, t, {t, 2});
    }
    const AxisMask planes = on_planes_[Held(place[0])] &
                            on_planes_[Held(place[1])] &
                            on_planes_[Held(place[2])];
    if (planes != 0) {
      const auto meetings = copies_.MeetingsOn(planes);
      if (std::any_of(
              meetings.begin(), meetings.end(),
              [](const RunCopies::Meeting& m) { return m.copies > 1; })) {
        const int axis = LowestAxis(planes);
        Add(FindingKind::kTriangleInPlane, t,
            {t, axis, CentreOn(centre_, axis)});
      }
    }
    // Every copy adds the same signed volume around the centre: a
    // reflection turns the sign, and its flipped corners turn it back.
    volume_ += TripleProduct(a, b, c);
    for (std::size_t k = 0; k < 3; ++k) {
      const uint32_t from = place[k];
      const uint32_t to = place[(k + 1) % 3];
      uses.push_back({from, to, t, EdgeTable::UpperHashOf(from, to) >> 31});
    }
  }

  // Enters the uses of batch after batch that belong to table `half`, as
  // they are produced, until the last.
  void TakeBatches(unsigned half) {
    for (std::size_t batch = 0;; ++batch) {
      std::size_t produced = produced_.load(std::memory_order_acquire);
      while ((produced & ~kLastBatch) <= batch) {
        if ((produced & kLastBatch) != 0) return;
        produced_.wait(produced, std::memory_order_acquire);
        produced = produced_.load(std::memory_order_acquire);
      }
      EnterUses(ring_[batch % kRing], static_cast<int>(half));
      consumed_.store(batch + 1, std::memory_order_release);
      consumed_.notify_one();
    }
  }

  // Enters the uses that belong to table `half` (or to either, for
  // kBothHalves) in their order. The tables are far larger than the
  // caches: the slots of a handful of uses are fetched before the first of
  // them is entered, so that their misses overlap.
  void EnterUses(const std::vector<PendingUse>& uses, int half) {
    const auto mine = [half](const PendingUse& use) {
      return half == kBothHalves || static_cast<int>(use.half) == half;
    };
    for (std::size_t first = 0; first < uses.size(); first += kFetched) {
      const std::size_t end = std::min(uses.size(), first + kFetched);
      for (std::size_t i = first; i < end; ++i) {
        if (mine(uses[i])) {
          halves_[uses[i].half].Prefetch(uses[i].from, uses[i].to);
        }
      }
      for (std::size_t i = first; i < end; ++i) {
        if (mine(uses[i])) {
          halves_[uses[i].half].Use(uses[i].from, uses[i].to, uses[i].triangle);
        }
      }
    }
  }

  // The two corners of an edge as its first triangle names them, in its
  // direction there.
  std::pair<int64_t, int64_t> NamedCorners(const EdgeTable::Edge& edge) const {
    const work::TableEntry& corners = object_.triangles[edge.first_triangle];
    for (std::size_t k = 0; k < 3; ++k) {
      const int32_t from = corners[k];
      const int32_t to = corners[(k + 1) % 3];
      const uint32_t p = places_.Of(from);
      const uint32_t q = places_.Of(to);
      if (std::min(p, q) == edge.lower() && std::max(p, q) == edge.higher()) {
        return {from, to};
      }
    }
    return {edge.lower(), edge.higher()};
  }

  // Reports every edge that keeps the surface from closing, and those the
  // mirroring closes; true when it closes everywhere.
  bool CheckEdges() {
    bool closed = true;
    for (const EdgeTable& table : halves_) {
      for (const EdgeTable::Edge& edge : table.slots()) {
        if (edge.key == 0) continue;
        closed = CheckEdge(edge) && closed;
      }
    }
    return closed;
  }

  // Reports the edge if it keeps the surface from closing, or if the
  // mirroring closes it; true when it closes.
  bool CheckEdge(const EdgeTable::Edge& edge) {
    any_edge_ = true;
    const AxisMask planes =
        on_planes_[Held(edge.lower())] & on_planes_[Held(edge.higher())];
    EdgeUse worst;
    for (const RunCopies::Meeting& meeting : copies_.MeetingsOn(planes)) {
      const EdgeUse use = UseOf(meeting, edge.forward, edge.backward);
      if (use.state > worst.state) worst = use;
    }
    const int uses = edge.forward + edge.backward;
    if (worst.state == EdgeState::kClosed && uses != 1) return true;
    const auto [from, to] = NamedCorners(edge);
    const uint32_t t = edge.first_triangle;
    switch (worst.state) {
      case EdgeState::kClosed: {
        const int axis = LowestAxis(planes);
        Add(FindingKind::kEdgeClosedByMirroring, t,
            {from, to, axis, CentreOn(centre_, axis)});
        break;
      }
      case EdgeState::kOpen:
        Add(FindingKind::kOpenEdge, t, {from, to});
        break;
      case EdgeState::kInconsistent:
        Add(FindingKind::kInconsistentEdge, t, {from, to});
        break;
      case EdgeState::kCrowded: {
        const bool counted_all = edge.forward < EdgeTable::kMostUses &&
                                 edge.backward < EdgeTable::kMostUses;
        Add(FindingKind::kCrowdedEdge, t,
            {from, to, worst.triangles, counted_all ? 0 : 1});
        break;
      }
    }
    return worst.state == EdgeState::kClosed;
  }

  const obt::ObtObject& object_;
  const mirror::MirrorCentre& centre_;
  const RunCopies& copies_;
  FindingList& findings_;
  const int32_t point_count_;
  const PointPlaces places_;
  // The mirrored planes each place lies in.
  std::vector<uint8_t> on_planes_;
  std::array<EdgeTable, 2> halves_;
  // Fewer triangles are checked sooner than a thread is started.
  static constexpr std::size_t kHelperFrom = 1 << 15;
  static constexpr std::size_t kBatchTriangles = 4096;
  // Batches that may wait for the helper at once.
  static constexpr std::size_t kRing = 4;
  static constexpr int kBothHalves = -1;
  static constexpr std::size_t kFetched = 64;
  // Set in `produced_` with the count of the last batch.
  static constexpr std::size_t kLastBatch = std::size_t{1} << 62;
  std::array<std::vector<PendingUse>, kRing> ring_;
  std::atomic<std::size_t> produced_{0};
  std::atomic<std::size_t> consumed_{0};
  Int128 volume_ = 0;
  bool any_edge_ = false;
};

}  // namespace

void CheckSurface(const obt::ObtObject& object,
                  const mirror::MirrorCentre& centre, const RunCopies& copies,
                  FindingList& findings) {
  SurfaceCheck(object, centre, copies, findings).Run();
}

}  // namespace geometry
