#include "obt/vector_line.h"

#if defined(__x86_64__)

#include <immintrin.h>

#include <bit>
#include <cstring>

#include "obt/number_token.h"

namespace obt::vector_line {
namespace {

// One bit a byte: whether its lane is set.
__attribute__((target("avx2"))) uint32_t Mask(__m256i lanes) {
  return static_cast<uint32_t>(_mm256_movemask_epi8(lanes));
}

}  // namespace

__attribute__((target("avx2"))) std::size_t ReadShortLine(const char* line,
                                                          int32_t* values,
                                                          std::size_t count) {
  const __m256i bytes =
      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(line));
  // Bytes up to 0x20 separate numbers; '0' to '9' less '0' are below 10.
  const uint32_t separators = Mask(
      _mm256_cmpeq_epi8(_mm256_min_epu8(bytes, _mm256_set1_epi8(0x20)), bytes));
  const uint32_t digits = Mask(_mm256_cmpeq_epi8(
      _mm256_min_epu8(_mm256_sub_epi8(bytes, _mm256_set1_epi8('0')),
                      _mm256_set1_epi8(9)),
      _mm256_sub_epi8(bytes, _mm256_set1_epi8('0'))));
  const uint32_t minuses =
      Mask(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('-')));
  const uint32_t returns =
      Mask(_mm256_cmpeq_epi8(bytes, _mm256_set1_epi8('\r')));
  // The CR and the byte after it must both be among the 32.
  const uint32_t cr = std::countr_zero(returns);
  if (cr >= 31) return 0;

  const uint32_t tokens = (digits | minuses) & ((1u << cr) - 1);
  uint32_t starts = tokens & ~(tokens << 1);
  uint32_t lasts = tokens & ~(tokens >> 1);
  if (static_cast<std::size_t>(std::popcount(starts)) < count) return 0;
  uint32_t last = 0;
  for (std::size_t n = 0; n < count; ++n) {
    const uint32_t start = std::countr_zero(starts);
    last = std::countr_zero(lasts);
    starts &= starts - 1;
    lasts &= lasts - 1;
    const uint32_t negative = (minuses >> start) & 1;
    const int length = static_cast<int>(last - start + 1 - negative);
    if (length < 1 || length > 8) return 0;
    uint64_t word;
    std::memcpy(&word, line + start + negative, sizeof word);
    const auto magnitude = static_cast<int32_t>(DigitsValue(word, length));
    values[n] = negative != 0 ? -magnitude : magnitude;
  }
  // Up to the byte after the last number taken, nothing but numbers and
  // separators, and a minus sign only where a number starts, before a
  // digit. The rest of the line is skipped whatever it holds.
  const uint32_t taken = (2u << (last + 1)) - 1;
  const uint32_t number_starts = tokens & ~(tokens << 1);
  if ((~(separators | digits | minuses) & taken) != 0 ||
      (minuses & taken & ~(number_starts & (digits >> 1))) != 0) {
    return 0;
  }
  return cr + 1 + (line[cr + 1] == '\n' ? 1 : 0);
}

}  // namespace obt::vector_line

#endif  // defined(__x86_64__)
