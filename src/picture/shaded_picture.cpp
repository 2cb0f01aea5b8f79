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

RgbImage ShadedPicture::Draw(PixelBox* legend) const {
  return Compose(nullptr, legend);
}

RgbImage ShadedPicture::Draw(const geometry::FindingList& findings,
                             PixelBox* legend) const {
  return Compose(&findings, legend);
}

RgbImage ShadedPicture::Compose(const geometry::FindingList* findings,
                                PixelBox* legend) const {
  RgbImage image(frame_.width(), frame_.height(), kBackground);
  const int64_t seen_from_behind =
      ColourSurface(scene_, frame_.view(), DrawSurface(scene_, frame_), image);
  std::vector<LegendEntry> entries;
  if (seen_from_behind > 0) {
    entries.push_back(
        {{MarkKind::Shape::kFill, kSeenFromBehind, 0, "faces seen from behind"},
         seen_from_behind});
  }
  if (findings != nullptr) {
    DrawMirrorPlanes(scene_, frame_, sizes_, image);
    DrawFindingMarks(scene_, frame_, sizes_, *findings, image);
    // The legend lists the strongest marks first.
    for (auto kind = kMarkedKinds.rbegin(); kind != kMarkedKinds.rend();
         ++kind) {
      if (findings->Count(*kind) > 0) {
        entries.push_back({MarkOf(*kind, sizes_), findings->Count(*kind)});
      }
    }
    if (const unsigned planes = scene_.copies.mirrored_axes(); planes != 0) {
      entries.push_back({{MarkKind::Shape::kDashedStroke, kMirrorPlane,
                          sizes_.mirror_plane, "mirror planes"},
                         std::popcount(planes)});
    }
  }
  const PixelBox box = DrawLegend(entries, image);
  if (legend != nullptr) *legend = box;
  return image;
}

}  // namespace picture
