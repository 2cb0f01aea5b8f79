#include "cli/mesh_options.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace cli {
namespace {

// A plain decimal integer in [low, high], with an optional minus sign.
std::optional<int64_t> ParseInteger(std::string_view text, int64_t low,
                                    int64_t high) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || value < low ||
      value > high) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<double> ParseScale(std::string_view text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end ||
      !std::isfinite(value) || !(value > 0)) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> ParseExtent(std::string_view text) {
  const std::optional<int64_t> value =
      ParseInteger(text, 1, std::numeric_limits<uint32_t>::max());
  if (!value) return std::nullopt;
  return static_cast<double>(*value);
}

std::optional<std::array<int64_t, 3>> ParseOffset(std::string_view text) {
  std::array<int64_t, 3> offset{};
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::size_t comma = text.find(',');
    if ((comma == std::string_view::npos) != (axis == 2)) return std::nullopt;
    const std::optional<int64_t> value =
        ParseInteger(text.substr(0, comma), std::numeric_limits<int32_t>::min(),
                     std::numeric_limits<int32_t>::max());
    if (!value) return std::nullopt;
    offset[axis] = *value;
    text.remove_prefix(axis == 2 ? text.size() : comma + 1);
  }
  return offset;
}

std::optional<uint64_t> ParseMemorySize(std::string_view text) {
  constexpr uint64_t kLeast = uint64_t{64} << 20;
  uint64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ptr == text.data() || ec != std::errc()) return std::nullopt;
  std::string_view unit(ptr, static_cast<std::size_t>(end - ptr));
  if (unit.ends_with("iB")) {
    unit.remove_suffix(2);
  } else if (unit.ends_with("B") && unit.size() == 2) {
    unit.remove_suffix(1);
  }
  int shift = 0;
  if (unit == "K") shift = 10;
  if (unit == "M") shift = 20;
  if (unit == "G") shift = 30;
  if (unit == "T") shift = 40;
  if ((shift == 0 && !unit.empty()) || value > (UINT64_MAX >> shift) ||
      (value << shift) < kLeast) {
    return std::nullopt;
  }
  return value << shift;
}

std::optional<uint64_t> ParseSeconds(std::string_view text) {
  const std::optional<int64_t> value = ParseInteger(text, 1, 86400);
  if (!value) return std::nullopt;
  return static_cast<uint64_t>(*value);
}

std::optional<FourthChoice> ParseFourth(std::string_view text) {
  if (text == "material") return FourthChoice{};
  const std::optional<int64_t> value = ParseInteger(text, 0, 255);
  if (!value) return std::nullopt;
  return FourthChoice{static_cast<uint8_t>(*value)};
}

}  // namespace cli
