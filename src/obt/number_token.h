#ifndef OBTMIRROR_OBT_NUMBER_TOKEN_H_
#define OBTMIRROR_OBT_NUMBER_TOKEN_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string_view>

#include "work/digits.h"

namespace obt {

// The longest token the integer reader takes; a longer run of non-blank
// bytes is cut after this many and its remainder is the next token.
inline constexpr std::size_t kMaxTokenLength = 32;

// Up to nine digits always fit 32 bits, so the numbers of nearly every file
// are read without a range check.
inline constexpr std::ptrdiff_t kShortDecimalDigits = 9;

struct ShortDecimal {
  int32_t value;
  // The byte after the last digit taken.
  const char* end;
};

// How many of the eight bytes in `bytes` (the first in the lowest byte),
// from the first, are decimal digits.
inline int LeadingDigits(uint64_t bytes) {
  constexpr uint64_t kOnes = 0x0101010101010101u;
  // A byte below '0' sets its top bit when '0' is taken away, one above '9'
  // when 0x46 is added; the digits before the first other byte neither
  // borrow nor carry, so that byte is told right whatever follows it.
  const uint64_t other =
      ((bytes - '0' * kOnes) | (bytes + 0x46 * kOnes)) & (0x80 * kOnes);
  return other == 0 ? 8 : std::countr_zero(other) / 8;
}

// The value of the first `count` (1 to 8) digits of `bytes`.
inline uint32_t DigitsValue(uint64_t bytes, int count) {
  // The digits move to the top, so that the bytes below read as leading
  // zeros; then neighbours are joined into pairs, fours and the eight.
  uint64_t value = (bytes & 0x0F0F0F0F0F0F0F0Fu) << (8 * (8 - count));
  value = (value * (1 + (10 << 8))) >> 8 & 0x00FF00FF00FF00FFu;
  value = (value * (1 + (100 << 16))) >> 16 & 0x0000FFFF0000FFFFu;
  return static_cast<uint32_t>((value * (1 + (10000ull << 32))) >> 32);
}

// The common form of a token, an optional minus sign and one to nine
// digits, read from `p`, which must lie before `limit`, up to `limit` at
// most. Stops after the ninth digit or at the first byte that is no digit;
// whether the token ends there is the caller's question. Nothing when no
// digit follows the sign. The reader's fast paths and ParseNumberToken all
// take short numbers here, so that none of them can read one differently.
inline std::optional<ShortDecimal> ParseShortDecimal(const char* p,
                                                     const char* limit) {
  // Without a branch on the sign: in a mesh it is as often there as not.
  const bool negative = *p == '-';
  const char* const digits = p + static_cast<int>(negative);
  if (limit - digits >= 8) {
    // Eight bytes at once, without a branch on each digit.
    uint64_t bytes;
    std::memcpy(&bytes, digits, sizeof bytes);
    const int count = LeadingDigits(bytes);
    if (count == 0) return std::nullopt;
    auto magnitude = static_cast<int32_t>(DigitsValue(bytes, count));
    const char* q = digits + count;
    if (count == 8 && q < limit && work::IsDecimalDigit(*q)) {
      magnitude = magnitude * 10 + (*q++ - '0');
    }
    return ShortDecimal{negative ? -magnitude : magnitude, q};
  }
  const char* const digit_limit = limit - digits > kShortDecimalDigits
                                      ? digits + kShortDecimalDigits
                                      : limit;
  int32_t magnitude = 0;
  const char* q = digits;
  for (; q < digit_limit && work::IsDecimalDigit(*q); ++q) {
    magnitude = magnitude * 10 + (*q - '0');
  }
  if (q == digits) return std::nullopt;
  return ShortDecimal{negative ? -magnitude : magnitude, q};
}

// Converts one integer token of an OBT file: an optional sign and decimal
// digits within the signed 32-bit range, or "$" and up to eight significant
// hexadecimal digits whose 32-bit pattern is the value. Anything else is
// malformed and gives nothing.
std::optional<int32_t> ParseNumberToken(std::string_view token);

}  // namespace obt

#endif  // OBTMIRROR_OBT_NUMBER_TOKEN_H_
