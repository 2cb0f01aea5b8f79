#include "obt/triangle_lines.h"

#include <array>
#include <cstring>

#include "obt/decimal_format.h"
#include "obt/vector_digits.h"

namespace obt {
namespace {

char* WriteOneByOne(char* out, const work::TableEntry* triangles,
                    const uint8_t* fourth_values, std::size_t count,
                    const work::TriangleShift& shift) {
  for (std::size_t i = 0; i < count; ++i) {
    const work::TableEntry corners = work::ShiftedTriangle(shift, triangles[i]);
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

// Eight lines; false, with nothing written, when a corner is negative or
// has more than eight digits.
__attribute__((target("avx2"))) bool WriteEightLines(
    char*& out, const work::TableEntry* triangles, const uint8_t* fourth_values,
    const work::TriangleShift& shift) {
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
                       vector_digits::FourEightDigitValues(quads[k]));
  }
  // The corners in the order they are written.
  const std::array<std::size_t, 3> order =
      shift.flip ? std::array<std::size_t, 3>{1, 0, 2}
                 : std::array<std::size_t, 3>{0, 1, 2};
  char* at = out;
  for (std::size_t line = 0; line < kLinesAtOnce; ++line) {
    for (const std::size_t k : order) {
      const decimal_internal::DigitText text =
          decimal_internal::TextOfDigits(digits[3 * line + k]);
      std::memcpy(at, &text.text, sizeof text.text);
      at += text.length;
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

#endif  // defined(__x86_64__)

}  // namespace

char* WriteTriangleLines(char* out, const work::TableEntry* triangles,
                         const uint8_t* fourth_values, std::size_t count,
                         const work::TriangleShift& shift) {
  std::size_t done = 0;
#if defined(__x86_64__)
  if (vector_digits::Available()) {
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
