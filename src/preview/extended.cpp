#include "preview/extended.h"

#include <algorithm>
#include <cmath>

namespace preview {
namespace {

constexpr Extended kInt32Min = std::numeric_limits<int32_t>::min();
constexpr Extended kInt32Max = std::numeric_limits<int32_t>::max();

// `whole` holds an integral value or NaN.
int32_t SaturateWhole(Extended whole) {
  if (std::isnan(whole)) return 0;
  if (whole <= kInt32Min) return std::numeric_limits<int32_t>::min();
  if (whole >= kInt32Max) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(whole);
}

}  // namespace

int32_t SaturateToInt32(int64_t value) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                          std::numeric_limits<int32_t>::max()));
}

int32_t Trunc(Extended value) { return SaturateWhole(std::trunc(value)); }

int32_t Round(Extended value) {
  Extended whole = std::trunc(value);
  // The fraction of a binary floating-point value is exactly representable,
  // so this difference loses nothing.
  const Extended rest = value - whole;
  const bool odd = std::fmod(whole, 2.0L) != 0;
  if (rest > 0.5L || (rest == 0.5L && odd)) {
    whole += 1;
  } else if (rest < -0.5L || (rest == -0.5L && odd)) {
    whole -= 1;
  }
  return SaturateWhole(whole);
}

}  // namespace preview
