#ifndef OBTMIRROR_PICTURE_FINDING_MARKS_H_
#define OBTMIRROR_PICTURE_FINDING_MARKS_H_

#include <array>
#include <cstdint>
#include <string_view>

#include "geometry/findings.h"
#include "picture/frame.h"
#include "picture/picture_scene.h"
#include "picture/rgb_image.h"

namespace picture {

// How big the marks are drawn: sizes in pixels that suit a picture of
// 800 x 600, grown with larger pictures and shrunk to half with smaller.
struct MarkSizes {
  explicit MarkSizes(int32_t width, int32_t height);

  float open_edge;  // the half widths of the edges' strokes
  float crowded_edge;
  float same_way_edge;
  float beyond_plane;  // the radii of the dots
  float degenerate;
  float in_plane;  // the half width of a hatched triangle's outline
  float mirror_plane;

  // The pixels kept free at the picture's sides, so that no mark is cut.
  int32_t Margin() const;
};

// One kind of mark: what it shows, in which colour, and how often the
// check found it (the legend's entries).
struct MarkKind {
  enum class Shape { kStroke, kDashedStroke, kDot, kHatch, kFill };
  Shape shape;
  Rgb colour;
  float size;
  std::string_view name;
};

// The findings a picture marks, in the order they are drawn: the widest
// strokes first, so that narrower ones stay visible on top of them.
inline constexpr std::array<geometry::FindingKind, 6> kMarkedKinds = {
    geometry::FindingKind::kTriangleInPlane,
    geometry::FindingKind::kCrowdedEdge,
    geometry::FindingKind::kInconsistentEdge,
    geometry::FindingKind::kOpenEdge,
    geometry::FindingKind::kDegenerateTriangle,
    geometry::FindingKind::kPointBeyondPlane,
};

// The kinds above as a set, which a check is to keep every one of.
geometry::FindingKinds MarkedKindSet();

// How a finding of a kind of kMarkedKinds is marked.
MarkKind MarkOf(geometry::FindingKind kind, const MarkSizes& sizes);

// Marks every kept finding of the kinds above where it lies, in every copy.
void DrawFindingMarks(const PictureScene& scene, const Frame& frame,
                      const MarkSizes& sizes,
                      const geometry::FindingList& findings, RgbImage& image);

// The mirror planes, faint and dashed: each a rectangle where its plane
// crosses the box of all points.
void DrawMirrorPlanes(const PictureScene& scene, const Frame& frame,
                      const MarkSizes& sizes, RgbImage& image);

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_FINDING_MARKS_H_
