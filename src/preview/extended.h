#ifndef OBTMIRROR_PREVIEW_EXTENDED_H_
#define OBTMIRROR_PREVIEW_EXTENDED_H_

#include <cstdint>
#include <limits>

namespace preview {

// The preview computes in 80-bit extended precision: a 64-bit significand,
// rounded to nearest even after every single operation. On x86-64 that is
// `long double` done on the x87 unit; other targets would give different
// pictures, so they do not build.
using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "the preview needs a long double with a 64-bit significand");
static_assert(std::numeric_limits<Extended>::round_style ==
                  std::round_to_nearest,
              "the preview needs round-to-nearest arithmetic");

// A 64-bit value clamped to the signed 32-bit range.
int32_t SaturateToInt32(int64_t value);

// Toward zero (-4.88 gives -4). Values beyond the signed 32-bit range give
// its nearest end; NaN gives 0.
int32_t Trunc(Extended value);

// To the nearest integer, ties to even (57.5 gives 58, 172.5 gives 172).
// Out of range and NaN as for Trunc. Does not depend on the floating-point
// environment's rounding mode.
int32_t Round(Extended value);

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_EXTENDED_H_
