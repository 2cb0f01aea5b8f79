#ifndef OBTMIRROR_OBT_TRIANGLE_LINES_H_
#define OBTMIRROR_OBT_TRIANGLE_LINES_H_

#include <cstddef>
#include <cstdint>

#include "work/triangle_shift.h"
#include "work/work_tables.h"

namespace obt {

// Writes `count` triangle records, the corners of triangles[i] moved as
// `shift` says (work::ShiftedTriangle) and fourth_values[i] each, as
// WriteNumberLineEndingInByte writes one, and returns the end. Stores
// nothing beyond `count` times the longest such record. Most of a
// conversion's output is these lines: where the processor has 256-bit
// vectors, the digits of eight lines' corners are made at once, as long as
// all of them are point numbers below 100,000,000.
char* WriteTriangleLines(char* out, const work::TableEntry* triangles,
                         const uint8_t* fourth_values, std::size_t count,
                         const work::TriangleShift& shift = {});

}  // namespace obt

#endif  // OBTMIRROR_OBT_TRIANGLE_LINES_H_
