#include "cli/picture_options.h"

#include <charconv>
#include <cmath>

namespace cli {
namespace {

std::optional<int32_t> ParseSide(std::string_view text) {
  if (text.empty() || text.front() < '0' || text.front() > '9') {
    return std::nullopt;
  }
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 1 || value > kMaxPictureSide) {
    return std::nullopt;
  }
  return value;
}

// A plain decimal number of degrees: an optional minus, digits, and an
// optional fraction; no exponent, no blanks, nothing that is not finite.
std::optional<double> ParseDegrees(std::string_view text) {
  if (text.empty()) return std::nullopt;
  for (const char c : text) {
    if ((c < '0' || c > '9') && c != '-' && c != '.') return std::nullopt;
  }
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] =
      std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<PictureSize> ParsePictureSize(std::string_view text) {
  const std::size_t cross = text.find('x');
  if (cross == std::string_view::npos) return std::nullopt;
  const auto width = ParseSide(text.substr(0, cross));
  const auto height = ParseSide(text.substr(cross + 1));
  if (!width || !height) return std::nullopt;
  return PictureSize{*width, *height};
}

bool TooLargeForShading(const PictureSize& size) {
  return int64_t{size.width} * size.height > kMaxShadedPixels;
}

std::string ShadingSizeRefusal() {
  return "a shaded picture has at most " + std::to_string(kMaxShadedPixels) +
         " pixels";
}

CLI::Option* AddSizeOption(CLI::App* command, PictureSize& size, bool shaded,
                           const std::string& help) {
  return command
      ->add_option_function<std::string>(
          "--size",
          [&size, shaded](const std::string& text) {
            const std::optional<PictureSize> parsed = ParsePictureSize(text);
            if (!parsed) {
              throw CLI::ValidationError(
                  "--size", "'" + text +
                                "' is no size WxH with W and H from 1 to " +
                                std::to_string(kMaxPictureSide));
            }
            if (shaded && TooLargeForShading(*parsed)) {
              throw CLI::ValidationError("--size", ShadingSizeRefusal());
            }
            size = *parsed;
          },
          help)
      ->type_name("WxH");
}

CLI::Option* AddViewOption(CLI::App* command, ViewChoice& view,
                           const std::string& help) {
  return command
      ->add_option_function<std::string>(
          "--view",
          [&view](const std::string& text) {
            const std::optional<ViewChoice> parsed = ParseViewChoice(text);
            if (!parsed) {
              throw CLI::ValidationError(
                  "--view", "'" + text + "' is no view (0, 1, 2, 3 or A,B)");
            }
            view = *parsed;
          },
          help)
      ->type_name("V");
}

picture::ViewTurn ViewChoice::Turn() const {
  return turned ? picture::ViewFromAngles(azimuth, elevation)
                : picture::ViewOfKind(kind);
}

std::optional<ViewChoice> ParseViewChoice(std::string_view text) {
  if (text.size() == 1 && text[0] >= '0' && text[0] <= '3') {
    return ViewChoice{text[0] - '0'};
  }
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  const auto azimuth = ParseDegrees(text.substr(0, comma));
  const auto elevation = ParseDegrees(text.substr(comma + 1));
  if (!azimuth || !elevation || *elevation < -90 || *elevation > 90) {
    return std::nullopt;
  }
  return ViewChoice{0, true, *azimuth, *elevation};
}

}  // namespace cli
