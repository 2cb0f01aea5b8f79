#include "preview/real6.h"

#include <cmath>

namespace preview {
namespace {

constexpr int kExponentBias = 129;
constexpr int kFractionBits = 39;
constexpr uint64_t kImpliedOne = uint64_t{1} << kFractionBits;
constexpr uint64_t kFractionMask = kImpliedOne - 1;
// An Extended significand has 64 bits; a Real6 keeps the leading 40.
constexpr int kDroppedBits = 64 - (kFractionBits + 1);
constexpr uint8_t kSignBit = 0x80;
constexpr uint8_t kTopFractionBits = 0x7F;

}  // namespace

Real6 Real6::FromExtended(Extended value) {
  if (!std::isfinite(value)) throw FloatOverflow();
  if (value == 0) return Real6();

  // magnitude = fraction * 2^exponent with fraction in [0.5, 1), so
  // fraction * 2^64 is the 64-bit significand as an exact integer.
  int exponent = 0;
  const Extended fraction = std::frexp(std::fabs(value), &exponent);
  const auto significand = static_cast<uint64_t>(std::ldexp(fraction, 64));

  uint64_t kept = significand >> kDroppedBits;
  if ((significand >> (kDroppedBits - 1)) & 1) {
    ++kept;
    if (kept == kImpliedOne << 1) {
      kept = kImpliedOne;
      ++exponent;
    }
  }
  // The Real6 significand lies in [1, 2): one binary place above fraction.
  const int biased = exponent - 1 + kExponentBias;
  if (biased <= 0) return Real6();
  if (biased > 255) throw FloatOverflow();

  const uint64_t stored_fraction = kept & kFractionMask;
  Bytes bytes{};
  bytes[0] = static_cast<uint8_t>(biased);
  for (int i = 1; i <= 5; ++i) {
    bytes[i] = static_cast<uint8_t>(stored_fraction >> (8 * (i - 1)));
  }
  if (std::signbit(value)) bytes[5] |= kSignBit;
  return Real6(bytes);
}

Extended Real6::ToExtended() const {
  if (IsZero()) return 0;
  uint64_t stored_fraction = bytes_[5] & kTopFractionBits;
  for (int i = 4; i >= 1; --i)
    stored_fraction = (stored_fraction << 8) | bytes_[i];
  const Extended magnitude =
      std::ldexp(static_cast<Extended>(kImpliedOne | stored_fraction),
                 bytes_[0] - kExponentBias - kFractionBits);
  return (bytes_[5] & kSignBit) != 0 ? -magnitude : magnitude;
}

}  // namespace preview
