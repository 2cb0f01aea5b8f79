#ifndef OBTMIRROR_WORK_WRAP_ARITHMETIC_H_
#define OBTMIRROR_WORK_WRAP_ARITHMETIC_H_

#include <cstdint>

namespace work {

// Coordinates and point numbers of OBT files wrap around at 32 bits, as
// they always have; unsigned arithmetic keeps that well defined.
constexpr int32_t WrapAdd(int32_t a, uint32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + b);
}

constexpr int32_t WrapSubtract(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) -
                              static_cast<uint32_t>(b));
}

constexpr int32_t WrapMultiply(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) *
                              static_cast<uint32_t>(b));
}

}  // namespace work

#endif  // OBTMIRROR_WORK_WRAP_ARITHMETIC_H_
