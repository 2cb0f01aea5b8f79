#include "picture/shaded_picture.h"

#include <bit>
#include <vector>

#include "picture/legend.h"
#include "picture/palette.h"
#include "picture/surface_drawing.h"

namespace picture {

ShadedPicture::ShadedPicture(const PictureScene& scene, const ViewTurn& view,
                             int32_t width, int32_t height)
    : scene_(scene),
      sizes_(width, height),
      frame_(view, ReachOf(scene, view), width, height, sizes_.Margin()) {}

RgbImage ShadedPicture::DrawSurfaceImage(int64_t& seen_from_behind) const {
  RgbImage image(frame_.width(), frame_.height(), kBackground);
  const DepthRaster raster = DrawSurface(scene_, frame_);
  seen_from_behind = ColourSurface(scene_, frame_.view(), raster, image);
  return image;
}

RgbImage ShadedPicture::Draw(PixelBox* legend) const {
  int64_t seen_from_behind = 0;
  RgbImage image = DrawSurfaceImage(seen_from_behind);
  if (seen_from_behind > 0) {
    const LegendEntry entry{
        {MarkKind::Shape::kFill, kSeenFromBehind, 0, "faces seen from behind"},
        seen_from_behind};
    const PixelBox box = DrawLegend({&entry, 1}, image);
    if (legend != nullptr) *legend = box;
  }
  return image;
}

RgbImage ShadedPicture::Draw(const geometry::FindingList& findings,
                             PixelBox* legend) const {
  int64_t seen_from_behind = 0;
  RgbImage image = DrawSurfaceImage(seen_from_behind);
  DrawMirrorPlanes(scene_, frame_, sizes_, image);
  DrawFindingMarks(scene_, frame_, sizes_, findings, image);

  std::vector<LegendEntry> entries;
  if (seen_from_behind > 0) {
    entries.push_back(
        {{MarkKind::Shape::kFill, kSeenFromBehind, 0, "faces seen from behind"},
         seen_from_behind});
  }
  // The legend lists the strongest marks first.
  for (auto kind = kMarkedKinds.rbegin(); kind != kMarkedKinds.rend(); ++kind) {
    if (findings.Count(*kind) > 0) {
      entries.push_back({MarkOf(*kind, sizes_), findings.Count(*kind)});
    }
  }
  if (const unsigned planes = scene_.copies.mirrored_axes(); planes != 0) {
    entries.push_back({{MarkKind::Shape::kDashedStroke, kMirrorPlane,
                        sizes_.mirror_plane, "mirror planes"},
                       std::popcount(planes)});
  }
  const PixelBox box = DrawLegend(entries, image);
  if (legend != nullptr) *legend = box;
  return image;
}

}  // namespace picture
