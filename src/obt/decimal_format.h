#ifndef OBTMIRROR_OBT_DECIMAL_FORMAT_H_
#define OBTMIRROR_OBT_DECIMAL_FORMAT_H_

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace obt {

// Plain decimal for the writer's hot loop: a conversion writes some hundred
// million integers, and two digits at a time from a table, in groups of
// four, halves the cost of a general-purpose conversion.
namespace decimal_internal {

// "00", "01", ..., "99" back to back.
inline constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Exactly four digits of v < 10000, leading zeros included.
inline char* WriteFour(char* out, uint32_t v) {
  std::memcpy(out, kDigitPairs.data() + 2 * (v / 100), 2);
  std::memcpy(out + 2, kDigitPairs.data() + 2 * (v % 100), 2);
  return out + 4;
}

// One to four digits of v < 10000, without leading zeros.
inline char* WriteUpToFour(char* out, uint32_t v) {
  if (v < 100) {
    if (v < 10) {
      *out = static_cast<char>('0' + v);
      return out + 1;
    }
    std::memcpy(out, kDigitPairs.data() + 2 * v, 2);
    return out + 2;
  }
  const uint32_t high = v / 100;
  if (high < 10) {
    *out++ = static_cast<char>('0' + high);
  } else {
    std::memcpy(out, kDigitPairs.data() + 2 * high, 2);
    out += 2;
  }
  std::memcpy(out, kDigitPairs.data() + 2 * (v % 100), 2);
  return out + 2;
}

}  // namespace decimal_internal

// Longest output: "-2147483648".
inline constexpr int kMaxDecimalLength = 11;

// Writes value in plain decimal (a minus sign for negative values, no plus
// sign, no leading zeros) and returns the end.
inline char* WriteDecimal(char* out, int32_t value) {
  using decimal_internal::WriteFour;
  using decimal_internal::WriteUpToFour;
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *out++ = '-';
    magnitude = 0u - magnitude;
  }
  if (magnitude < 10000) return WriteUpToFour(out, magnitude);
  if (magnitude < 100000000) {
    out = WriteUpToFour(out, magnitude / 10000);
    return WriteFour(out, magnitude % 10000);
  }
  const uint32_t low = magnitude % 100000000;
  out = WriteUpToFour(out, magnitude / 100000000);
  out = WriteFour(out, low / 10000);
  return WriteFour(out, low % 10000);
}

// Longest record of kCount numbers: blanks between them, CR LF after.
template <std::size_t kCount>
inline constexpr std::size_t kMaxNumberLineLength =
    (kMaxDecimalLength + 1) * kCount + 1;

// The integers separated by single blanks. Returns the end.
template <std::same_as<int32_t>... Rest>
inline char* WriteNumberFields(char* out, int32_t first, Rest... rest) {
  out = WriteDecimal(out, first);
  ((*out++ = ' ', out = WriteDecimal(out, rest)), ...);
  return out;
}

// One record: the integers separated by single blanks, then CR LF. Returns
// the end.
template <std::same_as<int32_t>... Values>
inline char* WriteNumberLine(char* out, Values... values) {
  out = WriteNumberFields(out, values...);
  *out++ = '\r';
  *out++ = '\n';
  return out;
}

}  // namespace obt

#endif  // OBTMIRROR_OBT_DECIMAL_FORMAT_H_
