#include "picture/finding_marks.h"

#include <algorithm>
#include <cmath>

#include "picture/mark_shapes.h"
#include "picture/palette.h"

namespace picture {
namespace {

using geometry::Finding;
using geometry::FindingKind;

float Growth(int32_t width, int32_t height) {
  return std::max(0.5f, static_cast<float>(std::min(width, height)) / 600);
}

// Marks what a finding names in each copy, where that copy puts it.
void MarkFinding(const PictureScene& scene, const Frame& frame,
                 const Finding& finding, const MarkKind& mark,
                 RgbImage& image) {
  for (std::size_t copy = 0; copy < scene.copies.count(); ++copy) {
    const auto project = [&](int64_t number) -> std::optional<ScreenPoint> {
      const auto point = scene.PointOf(copy, number);
      if (!point) return std::nullopt;
      return frame.Project(*point);
    };
    switch (finding.kind) {
      case FindingKind::kOpenEdge:
      case FindingKind::kCrowdedEdge:
      case FindingKind::kInconsistentEdge: {
        const auto from = project(finding.numbers[0]);
        const auto to = project(finding.numbers[1]);
        if (from && to) FillStroke(image, *from, *to, mark.size, mark.colour);
        break;
      }
      case FindingKind::kPointBeyondPlane:
        if (const auto at = project(finding.numbers[0])) {
          FillDot(image, *at, mark.size, mark.colour);
        }
        break;
      case FindingKind::kDegenerateTriangle:
      case FindingKind::kTriangleInPlane: {
        const int64_t t = finding.numbers[0];
        if (t < 0 || static_cast<uint64_t>(t) >= scene.triangles.size()) break;
        const work::TableEntry& named =
            scene.triangles[static_cast<std::size_t>(t)];
        std::array<std::optional<ScreenPoint>, 3> corners;
        for (std::size_t k = 0; k < 3; ++k) corners[k] = project(named[k]);
        if (finding.kind == FindingKind::kTriangleInPlane) {
          if (corners[0] && corners[1] && corners[2]) {
            HatchTriangle(image, *corners[0], *corners[1], *corners[2],
                          mark.size, mark.colour);
          }
        } else {
          for (const auto& corner : corners) {
            if (corner) FillDot(image, *corner, mark.size, mark.colour);
          }
        }
        break;
      }
      default:
        break;
    }
  }
}

}  // namespace

MarkSizes::MarkSizes(int32_t width, int32_t height) {
  const float growth = Growth(width, height);
  open_edge = 1.5f * growth;
  same_way_edge = 2.25f * growth;
  crowded_edge = 3.f * growth;
  beyond_plane = 3.5f * growth;
  degenerate = 2.5f * growth;
  in_plane = 0.75f * growth;
  mirror_plane = 0.5f * growth;
}

int32_t MarkSizes::Margin() const {
  // A dot's ring adds a pixel.
  return static_cast<int32_t>(std::ceil(beyond_plane + 1)) + 1;
}

geometry::FindingKinds MarkedKindSet() {
  geometry::FindingKinds kinds = 0;
  for (const FindingKind kind : kMarkedKinds) kinds |= geometry::KindBit(kind);
  return kinds;
}

MarkKind MarkOf(FindingKind kind, const MarkSizes& sizes) {
  using Shape = MarkKind::Shape;
  switch (kind) {
    case FindingKind::kTriangleInPlane:
      return {Shape::kHatch, kInPlane, sizes.in_plane,
              "triangles in a mirror plane"};
    case FindingKind::kCrowdedEdge:
      return {Shape::kStroke, kCrowdedEdge, sizes.crowded_edge,
              "edges used more than twice"};
    case FindingKind::kInconsistentEdge:
      return {Shape::kStroke, kSameWayEdge, sizes.same_way_edge,
              "edges run twice the same way"};
    case FindingKind::kOpenEdge:
      return {Shape::kStroke, kOpenEdge, sizes.open_edge, "open edges"};
    case FindingKind::kDegenerateTriangle:
      return {Shape::kDot, kDegenerate, sizes.degenerate,
              "degenerate triangles"};
    default:
      return {Shape::kDot, kBeyondPlane, sizes.beyond_plane,
              "points beyond a plane"};
  }
}

void DrawFindingMarks(const PictureScene& scene, const Frame& frame,
                      const MarkSizes& sizes,
                      const geometry::FindingList& findings, RgbImage& image) {
  for (const FindingKind kind : kMarkedKinds) {
    const MarkKind mark = MarkOf(kind, sizes);
    for (const Finding& finding : findings.Every(kind)) {
      MarkFinding(scene, frame, finding, mark, image);
    }
  }
}

void DrawMirrorPlanes(const PictureScene& scene, const Frame& frame,
                      const MarkSizes& sizes, RgbImage& image) {
  const unsigned planes = scene.copies.mirrored_axes();
  if (planes == 0 || scene.points.empty()) return;
  // The box of the source points, and the copies' images of its corners.
  work::TableEntry low = scene.points[0];
  work::TableEntry high = scene.points[0];
  for (const work::TableEntry& point : scene.points) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      low[axis] = std::min(low[axis], point[axis]);
      high[axis] = std::max(high[axis], point[axis]);
    }
  }
  work::TableEntry box_low = low;
  work::TableEntry box_high = high;
  for (std::size_t copy = 0; copy < scene.copies.count(); ++copy) {
    for (int corner = 0; corner < 8; ++corner) {
      const work::TableEntry image_of =
          scene.copies.PointOf(copy, {(corner & 1) != 0 ? high[0] : low[0],
                                      (corner & 2) != 0 ? high[1] : low[1],
                                      (corner & 4) != 0 ? high[2] : low[2]});
      for (std::size_t axis = 0; axis < 3; ++axis) {
        box_low[axis] = std::min(box_low[axis], image_of[axis]);
        box_high[axis] = std::max(box_high[axis], image_of[axis]);
      }
    }
  }
  const mirror::MirrorCentre& centre = scene.copies.centre();
  const int32_t at[3] = {centre.x, centre.y, centre.z};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    if ((planes >> axis & 1) == 0) continue;
    const std::size_t s = (axis + 1) % 3;
    const std::size_t t = (axis + 2) % 3;
    std::array<ScreenPoint, 4> corners;
    for (int k = 0; k < 4; ++k) {
      work::TableEntry point{};
      point[axis] = at[axis];
      point[s] = (k == 1 || k == 2) ? box_high[s] : box_low[s];
      point[t] = k >= 2 ? box_high[t] : box_low[t];
      corners[static_cast<std::size_t>(k)] = frame.Project(point);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      FillStroke(image, corners[k], corners[(k + 1) % 4], sizes.mirror_plane,
                 kMirrorPlane, 4 * std::max(1.f, sizes.mirror_plane * 2));
    }
  }
}

}  // namespace picture
