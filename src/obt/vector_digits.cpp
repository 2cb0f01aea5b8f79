#include "obt/vector_digits.h"

#if defined(__x86_64__)

#include <atomic>
#include <cstdlib>
#include <string_view>

namespace obt::vector_digits {
namespace {

bool ProcessorHasThem() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}

bool AllowedByEnvironment() {
  const char* const plain = std::getenv("OBTMIRROR_PLAIN_LOOPS");
  return plain == nullptr || std::string_view(plain) != "1";
}

const bool processor_has_them = ProcessorHasThem();
std::atomic<bool> in_use{processor_has_them && AllowedByEnvironment()};

}  // namespace

bool Available() { return in_use.load(std::memory_order_relaxed); }

void AllowVectors(bool allowed) {
  in_use.store(allowed && processor_has_them, std::memory_order_relaxed);
}

}  // namespace obt::vector_digits

#endif  // defined(__x86_64__)
