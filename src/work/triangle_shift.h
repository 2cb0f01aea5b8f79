#ifndef OBTMIRROR_WORK_TRIANGLE_SHIFT_H_
#define OBTMIRROR_WORK_TRIANGLE_SHIFT_H_

#include <cstdint>

#include "work/work_tables.h"
#include "work/wrap_arithmetic.h"

namespace work {

// How a copy of the triangles names its points: `offset` further on, in
// the file's 32-bit point numbers, with the first two corners swapped when
// `flip` is set (a copy mirrored on an odd number of axes).
struct TriangleShift {
  uint32_t offset = 0;
  bool flip = false;
};

inline work::TableEntry ShiftedTriangle(const TriangleShift& shift,
                                        const work::TableEntry& triangle) {
  return {work::WrapAdd(triangle[shift.flip ? 1 : 0], shift.offset),
          work::WrapAdd(triangle[shift.flip ? 0 : 1], shift.offset),
          work::WrapAdd(triangle[2], shift.offset)};
}

}  // namespace work

#endif  // OBTMIRROR_WORK_TRIANGLE_SHIFT_H_
