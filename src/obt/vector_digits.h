#ifndef OBTMIRROR_OBT_VECTOR_DIGITS_H_
#define OBTMIRROR_OBT_VECTOR_DIGITS_H_

// Decimal digits of several numbers at once in 256-bit vectors, for the
// writers' hot loops; only on processors that have them (Available).
#if defined(__x86_64__)

#include <immintrin.h>

#include <cstdint>

namespace obt::vector_digits {

// Whether the hot loops use the vectors below: when this processor has
// them, unless they are turned off, so that the plain loops run on every
// machine too. OBTMIRROR_PLAIN_LOOPS=1 in the environment turns them off
// for the whole process (CI runs the tests both ways).
bool Available();

// Turns the vectors off (false) or back on where the processor has them;
// for tests, before the work whose loops it chooses.
void AllowVectors(bool allowed);

// The digit values of four numbers below 100,000,000 in four 64-bit lanes,
// each lane as decimal_internal::EightDigitValues gives it for one number,
// by the same steps: no lane's products reach beyond its own 32 or 16 bits.
__attribute__((target("avx2"))) inline __m256i FourEightDigitValues(__m128i v) {
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

}  // namespace obt::vector_digits

#endif  // defined(__x86_64__)

#endif  // OBTMIRROR_OBT_VECTOR_DIGITS_H_
