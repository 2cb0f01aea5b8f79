#include "obt/triangle_lines.h"

#include <array>
#include <bit>
#include <cstring>

#include "obt/decimal_format.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace obt {
namespace {

char* WriteOneByOne(char* out, const work::TableEntry* triangles,
                    const uint8_t* fourth_values, std::size_t count,
                    const mirror::TriangleShift& shift) {
  for (std::size_t i = 0; i < count; ++i) {
    const work::TableEntry corners =
        mirror::ShiftedTriangle(shift, triangles[i]);
    out = WriteNumberLineEndingInByte(out, fourth_values[i], corners[0],
                                      corners[1], corners[2]);
  }
  return out;
}

#if defined(__x86_64__)

static_assert(sizeof(work::TableEntry) == 3 * sizeof(int32_t),
              "eight entries are read as 24 consecutive numbers");

constexpr std::size_t kLinesAtOnce = 8;
constexpr uint32_t kEightDigitLimit = 100'000'000;

// The digit values of four numbers below 100,000,000 in four 64-bit lanes,
// each lane as decimal_internal::EightDigitValues gives it for one number,
// by the same steps: no lane's products reach beyond its own 32 or 16 bits.
__attribute__((target("avx2"))) __m256i FourEightDigitValues(__m128i v) {
  const __m256i wide = _mm256_cvtepu32_epi64(v);
  // v / 10000 as the compiler makes it, and v % 10000 in the upper half.
  const __m256i high = _mm256_srli_epi64(
      _mm256_mul_epu32(wide, _mm256_set1_epi64x(0xd1b71759)), 45);
  const __m256i low =
      _mm256_sub_epi32(wide, _mm256_mul_epu32(high, _mm256_set1_epi64x(10000)));
  const __m256i fours = _mm256_or_si256(high, _mm256_slli_epi64(low, 32));
  const __m256i hundreds = _mm256_and_si256(
      _mm256_srli_epi32(_mm256_mullo_epi32(fours, _mm256_set1_epi32(5243)), 19),
      _mm256_set1_epi32(0x7f));
  const __m256i twos = _mm256_sub_epi32(
      _mm256_slli_epi32(fours, 16),
      _mm256_mullo_epi32(hundreds, _mm256_set1_epi32((100 << 16) - 1)));
  const __m256i tens = _mm256_and_si256(
      _mm256_srli_epi16(_mm256_mullo_epi16(twos, _mm256_set1_epi16(103)), 10),
      _mm256_set1_epi16(0xf));
  return _mm256_sub_epi16(
      _mm256_slli_epi16(twos, 8),
      _mm256_mullo_epi16(tens, _mm256_set1_epi16((10 << 8) - 1)));
}

// Eight lines; false, with nothing written, when a corner is negative or
// has more than eight digits.
__attribute__((target("avx2"))) bool WriteEightLines(
    char*& out, const work::TableEntry* triangles, const uint8_t* fourth_values,
    const mirror::TriangleShift& shift) {
  const auto* numbers = reinterpret_cast<const __m128i*>(triangles[0].data());
  const __m128i offset = _mm_set1_epi32(static_cast<int>(shift.offset));
  __m128i quads[6];
  __m128i largest = _mm_setzero_si128();
  for (int k = 0; k < 6; ++k) {
    // Adding wraps at 32 bits, as WrapAdd does.
    quads[k] = _mm_add_epi32(_mm_loadu_si128(numbers + k), offset);
    largest = _mm_max_epu32(largest, quads[k]);
  }
  const __m128i limit = _mm_set1_epi32(kEightDigitLimit - 1);
  if (_mm_movemask_epi8(
          _mm_cmpeq_epi32(_mm_max_epu32(largest, limit), limit)) != 0xffff) {
    return false;
  }
  alignas(32) uint64_t digits[3 * kLinesAtOnce];
  for (int k = 0; k < 6; ++k) {
    _mm256_store_si256(reinterpret_cast<__m256i*>(digits + 4 * k),
                       FourEightDigitValues(quads[k]));
  }
  // The corners in the order they are written.
  const std::array<std::size_t, 3> order =
      shift.flip ? std::array<std::size_t, 3>{1, 0, 2}
                 : std::array<std::size_t, 3>{0, 1, 2};
  char* at = out;
  for (std::size_t line = 0; line < kLinesAtOnce; ++line) {
    for (const std::size_t k : order) {
      const uint64_t values = digits[3 * line + k];
      // As in WriteUpToEight: the zero bytes below the first nonzero digit
      // are leading zeros, and a stop bit keeps the last digit of 0.
      const int leading = std::countr_zero(values | (uint64_t{1} << 56)) / 8;
      const uint64_t text =
          (values + decimal_internal::kAsciiZeros) >> (8 * leading);
      std::memcpy(at, &text, sizeof text);
      at += 8 - leading;
      *at++ = ' ';
    }
    // The last blank is the fourth field's own.
    const decimal_internal::ByteFieldEnd& end =
        decimal_internal::kByteFieldEnds[fourth_values[line]];
    std::memcpy(at - 1, &end.text, sizeof end.text);
    at += end.length - 1;
  }
  out = at;
  return true;
}

bool HasVectors() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}

const bool kHasVectors = HasVectors();

#endif  // defined(__x86_64__)

}  // namespace

char* WriteTriangleLines(char* out, const work::TableEntry* triangles,
                         const uint8_t* fourth_values, std::size_t count,
                         const mirror::TriangleShift& shift) {
  std::size_t done = 0;
#if defined(__x86_64__)
  if (kHasVectors) {
    for (; done + kLinesAtOnce <= count; done += kLinesAtOnce) {
      if (!WriteEightLines(out, triangles + done, fourth_values + done,
                           shift)) {
        out = WriteOneByOne(out, triangles + done, fourth_values + done,
                            kLinesAtOnce, shift);
      }
    }
  }
#endif
  return WriteOneByOne(out, triangles + done, fourth_values + done,
                       count - done, shift);
}

}  // namespace obt
