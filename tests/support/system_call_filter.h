#ifndef OBTMIRROR_TESTS_SUPPORT_SYSTEM_CALL_FILTER_H_
#define OBTMIRROR_TESTS_SUPPORT_SYSTEM_CALL_FILTER_H_

#include <cstdint>
#include <optional>

namespace testing_support {

// From here on every call `number` of this process fails with `error`,
// except, when `spared_size` is given, those whose third argument (the size
// of a read or write) is that. False when the system takes no such filter.
// For a Child: the filter holds for the rest of the process.
bool FailSystemCall(long number, int error,
                    std::optional<uint32_t> spared_size = std::nullopt);

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_SYSTEM_CALL_FILTER_H_
