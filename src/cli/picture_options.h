#ifndef OBTMIRROR_CLI_PICTURE_OPTIONS_H_
#define OBTMIRROR_CLI_PICTURE_OPTIONS_H_

#include <CLI/CLI.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "picture/view_turn.h"

namespace cli {

// The largest side of a drawing: keeps a one-bit bitmap within a few
// hundred megabytes.
inline constexpr int32_t kMaxPictureSide = 32767;
// A shaded picture keeps a depth and a triangle a pixel, per thread, and
// its colours: at most this many pixels keep it within a few hundred
// megabytes too.
inline constexpr int64_t kMaxShadedPixels = int64_t{1} << 24;

struct PictureSize {
  int32_t width = 0;
  int32_t height = 0;
};

// "WxH": plain decimal digits, each side 1 to kMaxPictureSide.
std::optional<PictureSize> ParsePictureSize(std::string_view text);

// Whether a shaded picture of `size` has more than kMaxShadedPixels, and
// the usage message that says so.
bool TooLargeForShading(const PictureSize& size);
std::string ShadingSizeRefusal();

// Which way a picture looks: one of the preview's views, a digit 0 to 3,
// or "A,B", turned A degrees about the vertical and raised B degrees
// (B from -90 to 90).
struct ViewChoice {
  int32_t kind = 0;
  bool turned = false;
  double azimuth = 0;
  double elevation = 0;

  picture::ViewTurn Turn() const;
};

std::optional<ViewChoice> ParseViewChoice(std::string_view text);

// --size WxH into `size`, refused beyond kMaxShadedPixels when `shaded`.
CLI::Option* AddSizeOption(CLI::App* command, PictureSize& size, bool shaded,
                           const std::string& help);

// --view V into `view`.
CLI::Option* AddViewOption(CLI::App* command, ViewChoice& view,
                           const std::string& help);

// The picture that `check --png` and `preview --shaded` write.
struct ShadedRequest {
  std::string png_path;
  PictureSize size{800, 600};
  ViewChoice view;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_PICTURE_OPTIONS_H_
