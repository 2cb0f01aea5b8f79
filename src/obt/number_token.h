#ifndef OBTMIRROR_OBT_NUMBER_TOKEN_H_
#define OBTMIRROR_OBT_NUMBER_TOKEN_H_

#include <cstddef>
#include <cstdint>
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
