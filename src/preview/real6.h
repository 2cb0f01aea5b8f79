#ifndef OBTMIRROR_PREVIEW_REAL6_H_
#define OBTMIRROR_PREVIEW_REAL6_H_

#include <array>
#include <cstdint>
#include <stdexcept>

#include "preview/extended.h"

namespace preview {

// Raised when a value is too large for a Real6. The message is the text the
// front end shows.
class FloatOverflow : public std::overflow_error {
 public:
  FloatOverflow() : std::overflow_error("Gleitkommaüberlauf") {}
};

// The 6-byte floating-point format of the preview's constants, its scaled
// coordinates and its scale:
//   byte 0      exponent e, biased by 129; e = 0 is the value 0
//   bytes 1..5  39-bit fraction f, least significant byte first, in the low
//               7 bits of byte 5
//   top bit of byte 5: the sign
//   value = (-1)^sign * (1 + f / 2^39) * 2^(e - 129)
// so the significand has 40 bits with the leading 1 implied.
class Real6 {
 public:
  using Bytes = std::array<uint8_t, 6>;

  // Zero.
  constexpr Real6() = default;
  constexpr explicit Real6(const Bytes& bytes) : bytes_(bytes) {}

  // The nearest Real6 by the format's own rule: keep the leading 40
  // significand bits and add one unit in the last place when the first
  // dropped bit is 1 (ties away from zero; a carry raises the exponent).
  // A biased exponent of 0 or less gives 0; one above 255 raises
  // FloatOverflow, as do infinities and NaN.
  static Real6 FromExtended(Extended value);

  // Exact: every Real6 value is an Extended value.
  Extended ToExtended() const;

  constexpr const Bytes& bytes() const { return bytes_; }
  constexpr bool IsZero() const { return bytes_[0] == 0; }

 private:
  Bytes bytes_{};
};

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_REAL6_H_
