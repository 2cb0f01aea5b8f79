#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "geometry/check_passes.h"
#include "geometry/edge_lists.h"
#include "geometry/edge_table.h"
#include "geometry/exact_arithmetic.h"
#include "geometry/part_nesting.h"
#include "geometry/point_places.h"
#include "geometry/ray_crossing.h"
#include "geometry/triangle_parts.h"
#include "work/run_parts.h"

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

// Sides are 1 for the negative side of the centre, 2 for the positive.
int64_t SeenSign(int side) { return side == 1 ? -1 : 1; }

// What a triangle gives the surface, checked before its edges count.
enum class TriangleFault {
  kNone,
  kBadPointNumber,  // a corner names no point of the object
  kPointNamedTwice,
  kCornersInOnePlace,
};

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
        parts_(object.triangles.size() >= kHelperFrom ? 2 : 1),
        // One more place for the points the file does not hold.
        lists_(object.points.size() + 1, parts_, object.triangles.size() * 3),
        surface_parts_(object.triangles.size()),
        seen_signs_{SeenSign(copies.source_sides().x),
                    SeenSign(copies.source_sides().y),
                    SeenSign(copies.source_sides().z)},
        turn_(seen_signs_[0] * seen_signs_[1] * seen_signs_[2]) {
    on_planes_.reserve(object.points.size() + 1);
    for (const work::TableEntry& point : object.points) {
      on_planes_.push_back(PlanesOf(RelativeTo(point, centre)));
    }
    on_planes_.push_back(PlanesOf(RelativeTo({}, centre)));
    for (Part& part : parts_found_) part.findings = findings.Alike();
  }

  // The triangles are checked and their edges entered in parts, one a
  // thread; the lists of edges are read in parts of about as many uses.
  void Run() {
    work::RunParts(parts_, [this](std::size_t part) {
      for (uint32_t t = FirstTriangle(part); t < FirstTriangle(part + 1); ++t) {
        CheckTriangle(t, part);
      }
    });
    lists_.Lay();
    work::RunParts(parts_, [this](std::size_t part) {
      std::array<uint32_t, 3> place{};
      for (uint32_t t = FirstTriangle(part); t < FirstTriangle(part + 1); ++t) {
        if (FaultOf(t, place) != TriangleFault::kNone) continue;
        for (std::size_t k = 0; k < 3; ++k) {
          lists_.Enter(part, place[k], place[(k + 1) % 3], t);
        }
      }
    });
    const uint32_t places = static_cast<uint32_t>(object_.points.size() + 1);
    work::RunParts(parts_, [this, places](std::size_t part) {
      // The last part reads to the end, past the places without uses.
      const auto place_at = [this, places](std::size_t share) {
        return share == parts_
                   ? places
                   : lists_.PlaceAtShare(static_cast<double>(share) /
                                         static_cast<double>(parts_));
      };
      Part& mine = parts_found_[part];
      lists_.ForEachEdge(
          place_at(part), place_at(part + 1),
          [this, &mine](const EdgeTable::Edge& edge) {
            mine.any_edge = true;
            if (!CheckEdge(edge, mine.findings)) {
              mine.closed = false;
              surface_parts_.MarkOpen(edge.first_triangle);
            }
          },
          [this, &mine](uint32_t a, uint32_t b) {
            if (surface_parts_.Join(a, b)) ++mine.joins;
          });
    });
    Int128 volume = 0;
    bool closed = true;
    bool any_edge = false;
    int64_t surface_parts = 0;
    for (const Part& part : parts_found_) {
      findings_.Merge(part.findings);
      volume += part.volume;
      closed = closed && part.closed;
      any_edge = any_edge || part.any_edge;
      surface_parts += part.surface_triangles - part.joins;
    }
    // One part is the whole object, whose volume follows.
    if (surface_parts > 1) CheckParts();
    if (closed && any_edge) {
      findings_.Add({volume > 0   ? FindingKind::kOutwardVolume
                     : volume < 0 ? FindingKind::kInwardVolume
                                  : FindingKind::kFlatVolume});
    }
  }

 private:
  // What one part finds.
  struct Part {
    FindingList findings;
    Int128 volume = 0;
    bool closed = true;
    bool any_edge = false;
    // The triangles whose edges count, and the joins of two parts of
    // them into one.
    int64_t surface_triangles = 0;
    int64_t joins = 0;
  };

  uint32_t FirstTriangle(std::size_t part) const {
    return static_cast<uint32_t>(object_.triangles.size() * part / parts_);
  }

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

  void Add(FindingList& findings, FindingKind kind, uint32_t triangle,
           const std::array<int64_t, 4>& numbers) const {
    findings.Add({kind, object_.triangle_lines.LineOf(triangle), numbers});
  }

  // Why the edges of triangle `t` do not count, if they do not; when they
  // do, the places of its corners are in `place`.
  TriangleFault FaultOf(uint32_t t, std::array<uint32_t, 3>& place) const {
    const work::TableEntry& corners = object_.triangles[t];
    for (const int32_t corner : corners) {
      if (corner < 0 || corner >= point_count_) {
        return TriangleFault::kBadPointNumber;
      }
    }
    if (corners[0] == corners[1] || corners[1] == corners[2] ||
        corners[2] == corners[0]) {
      return TriangleFault::kPointNamedTwice;
    }
    place = {places_.Of(corners[0]), places_.Of(corners[1]),
             places_.Of(corners[2])};
    if (place[0] == place[1] || place[1] == place[2] || place[2] == place[0]) {
      return TriangleFault::kCornersInOnePlace;
    }
    return TriangleFault::kNone;
  }

  void CheckTriangle(uint32_t t, std::size_t part) {
    Part& mine = parts_found_[part];
    std::array<uint32_t, 3> place{};
    const TriangleFault fault = FaultOf(t, place);
    if (fault == TriangleFault::kNone) {
      surface_parts_.Enter(t);
    } else {
      surface_parts_.Leave(t);
    }
    switch (fault) {
      case TriangleFault::kNone:
        break;
      case TriangleFault::kBadPointNumber: {
        const work::TableEntry& corners = object_.triangles[t];
        const int32_t bad = *std::find_if(
            corners.begin(), corners.end(), [this](int32_t corner) {
              return corner < 0 || corner >= point_count_;
            });
        Add(mine.findings, FindingKind::kBadPointNumber, t,
            {t, bad, point_count_});
        return;
      }
      case TriangleFault::kPointNamedTwice:
        Add(mine.findings, FindingKind::kDegenerateTriangle, t, {t, 0});
        return;
      case TriangleFault::kCornersInOnePlace:
        Add(mine.findings, FindingKind::kDegenerateTriangle, t, {t, 1});
        return;
    }
    const Vector3 a = Relative(place[0]);
    const Vector3 b = Relative(place[1]);
    const Vector3 c = Relative(place[2]);
    if (Cross(Subtract(b, a), Subtract(c, a)) == WideVector3{}) {
      Add(mine.findings, FindingKind::kDegenerateTriangle, t, {t, 2});
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
        Add(mine.findings, FindingKind::kTriangleInPlane, t,
            {t, axis, CentreOn(centre_, axis)});
      }
    }
    // Every copy adds the same signed volume around the centre: a
    // reflection turns the sign, and its flipped corners turn it back.
    mine.volume += TripleProduct(a, b, c);
    ++mine.surface_triangles;
    for (std::size_t k = 0; k < 3; ++k) {
      lists_.Count(part, place[k], place[(k + 1) % 3]);
    }
  }

  // Each closed part on its own: parts that face opposite ways add up to
  // a volume of either sign, or to none. A part that lies in another
  // rightly faces the other way, as the wall of a cavity.
  void CheckParts() {
    surface_parts_.Number();
    const std::size_t count = surface_parts_.part_count();
    // The triangles are read again in the shares of the first pass, each
    // adding up its own.
    std::vector<std::vector<Int128>> volumes(parts_,
                                             std::vector<Int128>(count));
    std::vector<std::vector<Box>> boxes(parts_, std::vector<Box>(count));
    work::RunParts(parts_, [this, &volumes, &boxes](std::size_t share) {
      std::vector<Int128>& mine = volumes[share];
      std::vector<Box>& my_boxes = boxes[share];
      for (uint32_t t = FirstTriangle(share); t < FirstTriangle(share + 1);
           ++t) {
        const uint32_t part = surface_parts_.PartOf(t);
        if (part == TriangleParts::kNoPart || surface_parts_.IsOpen(part)) {
          continue;
        }
        const Triangle3 corners = SeenCorners(t);
        // Turning axes around turns the volume with them.
        mine[part] += turn_ * TripleProduct(corners[0], corners[1], corners[2]);
        for (const Vector3& corner : corners) my_boxes[part].Add(corner);
      }
    });
    std::vector<uint32_t> closed;
    std::vector<Int128> closed_volumes;
    std::vector<Box> closed_boxes;
    for (uint32_t part = 0; part < count; ++part) {
      if (surface_parts_.IsOpen(part)) continue;
      closed.push_back(part);
      closed_volumes.push_back(0);
      closed_boxes.emplace_back();
      for (std::size_t share = 0; share < parts_; ++share) {
        closed_volumes.back() += volumes[share][part];
        closed_boxes.back().Add(boxes[share][part]);
      }
    }
    std::vector<PartNest> nests(closed.size());
    if (closed.size() > 1) {
      nests = NestParts(surface_parts_, closed, closed_boxes,
                        [this](uint32_t t) { return SeenCorners(t); });
    }
    for (std::size_t i = 0; i < closed.size(); ++i) {
      const bool cavity = nests[i].depth % 2 == 1;
      const Int128 volume = closed_volumes[i];
      if (volume != 0 && (volume > 0) != cavity) continue;
      const uint32_t first = surface_parts_.FirstTriangle(closed[i]);
      Add(findings_,
          volume == 0 ? FindingKind::kFlatPart : FindingKind::kInwardPart,
          first,
          {first, closed[i] + 1, static_cast<int64_t>(count),
           volume > 0 ? nests[i].enclosing + 1 : 0});
    }
  }

  // The corners of a valid triangle as the nesting of parts sees them:
  // relative to the centre, each axis turned so that the source side of
  // its plane is positive.
  Triangle3 SeenCorners(uint32_t t) const {
    std::array<uint32_t, 3> place{};
    FaultOf(t, place);
    Triangle3 corners;
    for (std::size_t k = 0; k < 3; ++k) {
      corners[k] = Relative(place[k]);
      for (std::size_t axis = 0; axis < 3; ++axis) {
        corners[k][axis] *= seen_signs_[axis];
      }
    }
    return corners;
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

  // Reports the edge if it keeps the surface from closing, or if the
  // mirroring closes it; true when it closes.
  bool CheckEdge(const EdgeTable::Edge& edge, FindingList& findings) const {
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
        Add(findings, FindingKind::kEdgeClosedByMirroring, t,
            {from, to, axis, CentreOn(centre_, axis)});
        break;
      }
      case EdgeState::kOpen:
        Add(findings, FindingKind::kOpenEdge, t, {from, to});
        break;
      case EdgeState::kInconsistent:
        Add(findings, FindingKind::kInconsistentEdge, t, {from, to});
        break;
      case EdgeState::kCrowded: {
        const bool counted_all = edge.forward < EdgeTable::kMostUses &&
                                 edge.backward < EdgeTable::kMostUses;
        Add(findings, FindingKind::kCrowdedEdge, t,
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
  // Fewer triangles are checked sooner than a thread is started.
  static constexpr std::size_t kHelperFrom = 1 << 15;
  const std::size_t parts_;
  // The mirrored planes each place lies in.
  std::vector<uint8_t> on_planes_;
  EdgeLists lists_;
  TriangleParts surface_parts_;
  // 1 for an axis whose source side is the positive one, else -1.
  const std::array<int64_t, 3> seen_signs_;
  const int64_t turn_;
  std::array<Part, 2> parts_found_;
};

}  // namespace

void CheckSurface(const obt::ObtObject& object,
                  const mirror::MirrorCentre& centre, const RunCopies& copies,
                  FindingList& findings) {
  SurfaceCheck(object, centre, copies, findings).Run();
}

}  // namespace geometry
