#include "support/system_call_filter.h"

#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>

#include <cstddef>
#include <vector>

namespace testing_support {

bool FailSystemCall(long number, int error,
                    std::optional<uint32_t> spared_size) {
  const auto fail = static_cast<uint32_t>(SECCOMP_RET_ERRNO) |
                    (static_cast<uint32_t>(error) & SECCOMP_RET_DATA);
  // Past the failing return (and the size check) to the allowing one.
  const auto to_allow = static_cast<uint8_t>(spared_size ? 3 : 1);
  std::vector<sock_filter> filter = {
      BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
      BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<uint32_t>(number), 0,
               to_allow),
  };
  if (spared_size) {
    // The lower half of the third argument on a little-endian machine.
    filter.push_back(
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[2])));
    filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, *spared_size, 1, 0));
  }
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, fail));
  filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
  const sock_fprog program{static_cast<unsigned short>(filter.size()),
                           filter.data()};
  return ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 &&
         ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) == 0;
}

}  // namespace testing_support
