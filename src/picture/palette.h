#ifndef OBTMIRROR_PICTURE_PALETTE_H_
#define OBTMIRROR_PICTURE_PALETTE_H_

#include <algorithm>
#include <cstdint>

#include "picture/rgb_image.h"

namespace picture {

// The picture's colours. The surface seen from outside is grey, so that
// every colour in a picture is a finding or a face seen from behind; the
// colours of those come from a palette whose colours stay apart for the
// common kinds of colour blindness (Okabe and Ito's eight).
inline constexpr Rgb kBackground{255, 255, 255};
inline constexpr Rgb kInk{0, 0, 0};
inline constexpr Rgb kMirrorPlane{150, 150, 150};
inline constexpr Rgb kSeenFromBehind{204, 121, 167};  // reddish purple
inline constexpr Rgb kOpenEdge{213, 94, 0};           // vermillion
inline constexpr Rgb kCrowdedEdge{0, 114, 178};       // blue
inline constexpr Rgb kSameWayEdge{0, 158, 115};       // bluish green
inline constexpr Rgb kBeyondPlane{230, 159, 0};       // orange
inline constexpr Rgb kDegenerate{240, 228, 66};       // yellow
inline constexpr Rgb kInPlane{86, 180, 233};          // sky blue

// A face seen from outside, `light` 0 when seen edge-on, 1 face-on.
inline Rgb OutsideShade(float light) {
  const auto level =
      static_cast<uint8_t>(64 + 176 * std::clamp(light, 0.f, 1.f));
  return {level, level, level};
}

// A face seen from behind, dimmed the same way but never to black.
inline Rgb BehindShade(float light) {
  const float f = 0.4f + 0.6f * std::clamp(light, 0.f, 1.f);
  const auto dim = [f](uint8_t v) {
    return static_cast<uint8_t>(static_cast<float>(v) * f + 0.5f);
  };
  return {dim(kSeenFromBehind.r), dim(kSeenFromBehind.g),
          dim(kSeenFromBehind.b)};
}

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_PALETTE_H_
