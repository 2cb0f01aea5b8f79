#ifndef OBTMIRROR_OBT_DECIMAL_FORMAT_H_
#define OBTMIRROR_OBT_DECIMAL_FORMAT_H_

#include <array>
#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace obt {

// Plain decimal for the writer's hot loop: a conversion writes some hundred
// million integers. Eight digits are made at once in the bytes of a 64-bit
// word, by splitting it into halves, quarters and eighths with
// multiplications instead of divisions, and the leading zeros are cut by
// their count: no branch depends on the number's length.
namespace decimal_internal {

// The bytes of the word hold the digits with the most significant first
// in memory.
static_assert(std::endian::native == std::endian::little,
              "the digit word is laid out for little-endian memory");

// The eight decimal digits of v < 100'000'000, leading zeros included, as
// the values 0 to 9 in the word's bytes, the first digit in the lowest.
inline uint64_t EightDigitValues(uint32_t v) {
  // Two lanes of 32 bits: the first four digits and the last four.
  const uint64_t fours = (v / 10000) | (uint64_t{v % 10000} << 32);
  // (y · 5243) >> 19 is y / 100 for every y below 43'699.
  const uint64_t hundreds = ((fours * 5243) >> 19) & 0x0000007F'0000007FULL;
  // Four lanes of 16 bits: y / 100 below y % 100 in each 32-bit lane.
  const uint64_t twos = (fours << 16) - hundreds * ((100 << 16) - 1);
  // (y · 103) >> 10 is y / 10 for every y below 179.
  const uint64_t tens = ((twos * 103) >> 10) & 0x000F000F'000F000FULL;
  // Eight lanes of 8 bits: y / 10 below y % 10 in each 16-bit lane.
  return (twos << 8) - tens * ((10 << 8) - 1);
}

inline constexpr uint64_t kAsciiZeros = 0x30303030'30303030ULL;

// The text of the digit values EightDigitValues gives, without leading
// zeros, in the bytes of a word (the first in the lowest), and its length.
struct DigitText {
  uint64_t text;
  int length;
};

inline DigitText TextOfDigits(uint64_t digits) {
  // The zero bytes below the first nonzero digit are leading zeros; a
  // stop bit keeps the last digit of 0.
  const int leading = std::countr_zero(digits | (uint64_t{1} << 56)) / 8;
  return {(digits + kAsciiZeros) >> (8 * leading), 8 - leading};
}

// One to eight digits of v < 100'000'000, without leading zeros. Stores
// eight bytes from `out`, of which only those up to the end it returns
// count.
inline char* WriteUpToEight(char* out, uint32_t v) {
  const DigitText digits = TextOfDigits(EightDigitValues(v));
  std::memcpy(out, &digits.text, 8);
  return out + digits.length;
}

// Exactly eight digits of v < 100'000'000, leading zeros included.
inline char* WriteEight(char* out, uint32_t v) {
  const uint64_t text = EightDigitValues(v) + kAsciiZeros;
  std::memcpy(out, &text, 8);
  return out + 8;
}

}  // namespace decimal_internal

// Longest output: "-2147483648".
inline constexpr int kMaxDecimalLength = 11;

// Writes value in plain decimal (a minus sign for negative values, no plus
// sign, no leading zeros) and returns the end. Stores nothing beyond
// out + kMaxDecimalLength, but may store bytes between the end it returns
// and there.
inline char* WriteDecimal(char* out, int32_t value) {
  using decimal_internal::WriteEight;
  using decimal_internal::WriteUpToEight;
  uint32_t magnitude = static_cast<uint32_t>(value);
  if (value < 0) {
    *out++ = '-';
    magnitude = 0u - magnitude;
  }
  if (magnitude < 100'000'000) return WriteUpToEight(out, magnitude);
  // Nine or ten digits: the first one or two, then eight.
  const uint32_t high = magnitude / 100'000'000;
  if (high < 10) {
    *out++ = static_cast<char>('0' + high);
  } else {
    *out++ = static_cast<char>('0' + high / 10);
    *out++ = static_cast<char>('0' + high % 10);
  }
  return WriteEight(out, magnitude % 100'000'000);
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

namespace decimal_internal {

// The end of a record whose last field is a value 0 to 255: a blank, the
// digits, CR LF, as the bytes of a word (the first in the lowest) and
// their count.
struct ByteFieldEnd {
  uint64_t text;
  uint64_t length;
};

inline constexpr std::array<ByteFieldEnd, 256> kByteFieldEnds = [] {
  std::array<ByteFieldEnd, 256> ends{};
  for (unsigned value = 0; value < 256; ++value) {
    char bytes[6] = {' '};
    std::size_t length = 1;
    for (unsigned power = value >= 100  ? 100
                          : value >= 10 ? 10
                                        : 1;
         power > 0; power /= 10) {
      bytes[length++] = static_cast<char>('0' + value / power % 10);
    }
    bytes[length++] = '\r';
    bytes[length++] = '\n';
    uint64_t text = 0;
    for (std::size_t i = 0; i < length; ++i) {
      text |= uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
    }
    ends[value] = {text, length};
  }
  return ends;
}();

}  // namespace decimal_internal

// One record whose integers end in a value 0 to 255 (a triangle's corners
// and its FourthValue), as WriteNumberLine writes it; the last field and
// the line end come whole from a table. Returns the end, and stores nothing
// beyond the longest such record plus two bytes.
template <std::same_as<int32_t>... Values>
inline char* WriteNumberLineEndingInByte(char* out, uint8_t last,
                                         Values... values) {
  out = WriteNumberFields(out, values...);
  const decimal_internal::ByteFieldEnd& end =
      decimal_internal::kByteFieldEnds[last];
  std::memcpy(out, &end.text, sizeof end.text);
  return out + end.length;
}

}  // namespace obt

#endif  // OBTMIRROR_OBT_DECIMAL_FORMAT_H_
