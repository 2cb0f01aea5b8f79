#include "obt/vector_digits.h"

#if defined(__x86_64__)

namespace obt::vector_digits {
namespace {

bool ProcessorHasThem() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}

}  // namespace

bool Available() {
  static const bool available = ProcessorHasThem();
  return available;
}

}  // namespace obt::vector_digits

#endif  // defined(__x86_64__)
