#include "mirror/mirror_centre.h"

#include <algorithm>

#include "work/digits.h"

namespace mirror {
namespace {

constexpr int64_t kLargestMagnitude = int64_t{1} << 31;

}  // namespace

std::string FilterNumberText(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (work::IsDecimalDigit(c) || c == '-' || c == '+') kept.push_back(c);
  }
  return kept;
}

CentreReading ReadCentreText(std::string_view text) {
  const std::string filtered = FilterNumberText(text);
  std::string_view rest = filtered;
  bool negative = false;
  if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  // Past 2^31 no value fits any more, so the magnitude stops growing there.
  int64_t magnitude = 0;
  bool complete = !rest.empty() || filtered.empty();
  for (const char c : rest) {
    if (!work::IsDecimalDigit(c)) {
      complete = false;
      break;
    }
    magnitude = std::min(magnitude * 10 + (c - '0'), kLargestMagnitude + 1);
  }
  const int64_t value = complete && negative ? -magnitude : magnitude;
  CentreReading reading;
  reading.taken_whole = complete && filtered.size() == text.size();
  if (value >= -kLargestMagnitude && value < kLargestMagnitude) {
    reading.value = static_cast<int32_t>(value);
  }
  return reading;
}

bool ReadMirrorCentre(std::string_view x_text, std::string_view y_text,
                      std::string_view z_text, MirrorCentre& centre) {
  const std::optional<int32_t> x = ReadCentreText(x_text).value;
  const std::optional<int32_t> y = ReadCentreText(y_text).value;
  const std::optional<int32_t> z = ReadCentreText(z_text).value;
  if (!x || !y || !z) return false;
  centre = {*x, *y, *z};
  return true;
}

}  // namespace mirror
