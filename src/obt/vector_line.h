#ifndef OBTMIRROR_OBT_VECTOR_LINE_H_
#define OBTMIRROR_OBT_VECTOR_LINE_H_

#if defined(__x86_64__)

#include <cstddef>
#include <cstdint>

namespace obt::vector_line {

// How many bytes ReadShortLine may look at from where it starts.
inline constexpr std::size_t kReadableBytes = 40;

// Reads the first `count` (at least one) numbers of the line at `line` and
// moves past its line end, classifying its first 32 bytes all at once: the
// common line of a mesh, numbers of up to eight digits with a minus sign or
// not, between blanks and other bytes up to 0x20, its CR and the byte after
// that among those 32. Returns how many bytes the line takes with its CR and an
// LF right after that, or 0 for any other line, which the caller reads the
// way it would without this. kReadableBytes from `line` on must be
// readable. Needs AVX2 (vector_digits::Available).
std::size_t ReadShortLine(const char* line, int32_t* values, std::size_t count);

}  // namespace obt::vector_line

#endif  // defined(__x86_64__)

#endif  // OBTMIRROR_OBT_VECTOR_LINE_H_
