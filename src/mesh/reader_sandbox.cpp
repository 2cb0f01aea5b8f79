#include "mesh/reader_sandbox.h"

#include <fcntl.h>
#include <linux/landlock.h>
#include <sched.h>
#include <seccomp.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <initializer_list>

namespace mesh {
namespace {

// What newer kernels add to the Landlock interface of Debian's headers.
constexpr uint64_t kAccessTruncate = 1ULL << 14;    // ABI 3
constexpr uint64_t kAccessIoctlDev = 1ULL << 15;    // ABI 5
constexpr uint64_t kAccessNetBind = 1ULL << 0;      // ABI 4
constexpr uint64_t kAccessNetConnect = 1ULL << 1;   // ABI 4
constexpr uint64_t kScopeAbstractUnix = 1ULL << 0;  // ABI 6
constexpr uint64_t kScopeSignal = 1ULL << 1;        // ABI 6

struct RulesetAttributes {
  uint64_t handled_access_fs;
  uint64_t handled_access_net;
  uint64_t scoped;
};

bool SetBound(int resource, rlim_t soft, rlim_t hard) {
  const rlimit bound = {std::min(soft, hard), hard};
  return ::setrlimit(resource, &bound) == 0;
}

bool TakeBounds(const ReaderBounds& bounds, std::string& reason) {
  const bool taken =
      (kSanitized ||
       SetBound(RLIMIT_AS, bounds.memory_soft, bounds.memory_hard)) &&
      SetBound(RLIMIT_CPU, bounds.seconds_soft, bounds.seconds_hard) &&
      SetBound(RLIMIT_FSIZE, bounds.result_bytes, bounds.result_bytes) &&
      SetBound(RLIMIT_CORE, 0, 0) && SetBound(RLIMIT_NOFILE, 64, 64) &&
      SetBound(RLIMIT_MEMLOCK, 0, 0) && SetBound(RLIMIT_MSGQUEUE, 0, 0);
  if (!taken)
    reason = std::string("cannot set its bounds: ") + std::strerror(errno);
  return taken;
}

// Reading below the model's folder and nothing else, where the kernel has
// Landlock; the files the library asks for are resolved beneath the folder
// in any case.
bool RestrictFileSystem(std::string& reason) {
  const long abi = ::syscall(SYS_landlock_create_ruleset, nullptr, 0,
                             LANDLOCK_CREATE_RULESET_VERSION);
  if (abi < 1) return true;
  RulesetAttributes attributes{};
  attributes.handled_access_fs = (LANDLOCK_ACCESS_FS_REFER << 1) - 1;
  if (abi < 2) attributes.handled_access_fs &= ~LANDLOCK_ACCESS_FS_REFER;
  if (abi >= 3) attributes.handled_access_fs |= kAccessTruncate;
  if (abi >= 5) attributes.handled_access_fs |= kAccessIoctlDev;
  std::size_t size = sizeof attributes.handled_access_fs;
  if (abi >= 4) {
    attributes.handled_access_net = kAccessNetBind | kAccessNetConnect;
    size += sizeof attributes.handled_access_net;
  }
  if (abi >= 6) {
    attributes.scoped = kScopeAbstractUnix | kScopeSignal;
    size += sizeof attributes.scoped;
  }
  const int ruleset = static_cast<int>(
      ::syscall(SYS_landlock_create_ruleset, &attributes, size, 0));
  if (ruleset < 0) {
    reason =
        std::string("cannot make its Landlock rules: ") + std::strerror(errno);
    return false;
  }
  landlock_path_beneath_attr beneath{};
  beneath.allowed_access =
      LANDLOCK_ACCESS_FS_READ_FILE | LANDLOCK_ACCESS_FS_READ_DIR;
  beneath.parent_fd = kFolderFd;
  const bool restricted =
      ::syscall(SYS_landlock_add_rule, ruleset, LANDLOCK_RULE_PATH_BENEATH,
                &beneath, 0) == 0 &&
      ::syscall(SYS_landlock_restrict_self, ruleset, 0) == 0;
  if (!restricted) {
    reason =
        std::string("cannot take its Landlock rules: ") + std::strerror(errno);
  }
  ::close(ruleset);
  return restricted;
}

// The system calls that reading a file into memory needs, on the
// descriptors it needs them on; any other ends the process.
bool FilterSystemCalls(std::string& reason) {
  scmp_filter_ctx filter = ::seccomp_init(SCMP_ACT_KILL_PROCESS);
  if (filter == nullptr) {
    reason = "cannot make its system-call filter";
    return false;
  }
  // A filter would otherwise also turn on the processor's guard against
  // speculative loads of stored data, which slows parsing by a tenth; it
  // guards code from code, and the reader runs none but its own.
  int failed = ::seccomp_attr_set(filter, SCMP_FLTATR_CTL_SSB, 1);
  const auto allow = [&](int call, std::initializer_list<scmp_arg_cmp> args) {
    failed |= ::seccomp_rule_add_array(filter, SCMP_ACT_ALLOW, call,
                                       static_cast<unsigned>(args.size()),
                                       args.begin());
  };
  for (const int call : {SCMP_SYS(read),
                         SCMP_SYS(pread64),
                         SCMP_SYS(readv),
                         SCMP_SYS(preadv),
                         SCMP_SYS(lseek),
                         SCMP_SYS(fstat),
                         SCMP_SYS(close),
                         SCMP_SYS(openat2),
                         SCMP_SYS(munmap),
                         SCMP_SYS(mremap),
                         SCMP_SYS(brk),
                         SCMP_SYS(madvise),
                         SCMP_SYS(futex),
                         SCMP_SYS(set_robust_list),
                         SCMP_SYS(rseq),
                         SCMP_SYS(rt_sigprocmask),
                         SCMP_SYS(rt_sigaction),
                         SCMP_SYS(rt_sigreturn),
                         SCMP_SYS(sigaltstack),
                         SCMP_SYS(exit),
                         SCMP_SYS(exit_group),
                         SCMP_SYS(getpid),
                         SCMP_SYS(gettid),
                         SCMP_SYS(sched_yield),
                         SCMP_SYS(sched_getaffinity),
                         SCMP_SYS(getrandom),
                         SCMP_SYS(clock_gettime),
                         SCMP_SYS(gettimeofday),
                         SCMP_SYS(clock_nanosleep),
                         SCMP_SYS(nanosleep),
                         SCMP_SYS(sysinfo),
                         SCMP_SYS(restart_syscall)}) {
    allow(call, {});
  }
  // The status of an open file, not of a path: Landlock does not guard
  // looking at a path, and what lies outside is none of the reader's
  // business.
  allow(SCMP_SYS(newfstatat),
        {SCMP_A3(SCMP_CMP_MASKED_EQ, AT_EMPTY_PATH, AT_EMPTY_PATH)});
  allow(SCMP_SYS(statx),
        {SCMP_A2(SCMP_CMP_MASKED_EQ, AT_EMPTY_PATH, AT_EMPTY_PATH)});
  // Flags and seals of its descriptors, but no owner to send signals to.
  for (const int command : {F_GETFD, F_SETFD, F_GETFL, F_SETFL, F_DUPFD,
                            F_DUPFD_CLOEXEC, F_ADD_SEALS, F_GET_SEALS}) {
    allow(SCMP_SYS(fcntl),
          {SCMP_A1(SCMP_CMP_EQ, static_cast<scmp_datum_t>(command))});
  }
  // No memory that could run code made from the file.
  allow(SCMP_SYS(mmap), {SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)});
  allow(SCMP_SYS(mprotect), {SCMP_A2(SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)});
  // Files only for reading (Landlock keeps them below the folder).
  allow(SCMP_SYS(openat),
        {SCMP_A2(SCMP_CMP_MASKED_EQ, O_ACCMODE | O_CREAT | O_TRUNC, O_RDONLY)});
  // Threads, but no process of its own.
  allow(SCMP_SYS(clone),
        {SCMP_A0(SCMP_CMP_MASKED_EQ, CLONE_THREAD, CLONE_THREAD)});
  // The messages and the result, nothing else.
  allow(SCMP_SYS(write), {SCMP_A0(SCMP_CMP_EQ, kMessageFd)});
  allow(SCMP_SYS(write), {SCMP_A0(SCMP_CMP_EQ, kResultFd)});
  // Its own bounds, which it may only raise to the hard ones.
  allow(SCMP_SYS(prlimit64), {SCMP_A0(SCMP_CMP_EQ, 0)});
  // abort() signals the process itself.
  const auto self = static_cast<scmp_datum_t>(::getpid());
  allow(SCMP_SYS(tgkill), {SCMP_A0(SCMP_CMP_EQ, self)});
  allow(SCMP_SYS(kill), {SCMP_A0(SCMP_CMP_EQ, self)});
  // Asked for by the C library, answered without harm: clone3 falls back
  // to clone, whose flags the filter can see; a stream is no terminal.
  failed |=
      ::seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOSYS), SCMP_SYS(clone3), 0);
  failed |=
      ::seccomp_rule_add(filter, SCMP_ACT_ERRNO(ENOTTY), SCMP_SYS(ioctl), 0);
  // Some readers print what they think of a file; standard output and
  // error are /dev/null, and such a write fails without a word.
  for (const int stream : {STDOUT_FILENO, STDERR_FILENO}) {
    if (kSanitized && stream == STDERR_FILENO) continue;
    for (const int call : {SCMP_SYS(write), SCMP_SYS(writev)}) {
      failed |= ::seccomp_rule_add(
          filter, SCMP_ACT_ERRNO(EBADF), call, 1,
          SCMP_A0(SCMP_CMP_EQ, static_cast<scmp_datum_t>(stream)));
    }
  }
  if (kSanitized) {
    // A sanitizer writes its report to standard error, which a sanitized
    // build keeps, and tries whether memory can be read by writing it into
    // a pipe of its own.
    allow(SCMP_SYS(write), {SCMP_A0(SCMP_CMP_EQ, STDERR_FILENO)});
    allow(SCMP_SYS(write), {SCMP_A0(SCMP_CMP_GT, kResultFd)});
    allow(SCMP_SYS(pipe2), {});
  }
  const bool loaded = failed == 0 && ::seccomp_load(filter) == 0;
  ::seccomp_release(filter);
  if (!loaded) reason = "cannot install its system-call filter";
  return loaded;
}

}  // namespace

bool ConfineReader(const ReaderBounds& bounds, std::string& reason) {
  // Neither a core file nor another process of the user's looks into it.
  if (::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) != 0 ||
      ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0) {
    reason = std::string("cannot drop its privileges: ") + std::strerror(errno);
    return false;
  }
  return TakeBounds(bounds, reason) && RestrictFileSystem(reason) &&
         FilterSystemCalls(reason);
}

void RaiseReaderBounds(uint64_t memory, uint64_t seconds) {
  rlimit bound{};
  if (!kSanitized && ::getrlimit(RLIMIT_AS, &bound) == 0 &&
      memory > bound.rlim_cur) {
    bound.rlim_cur = std::min<rlim_t>(memory, bound.rlim_max);
    ::setrlimit(RLIMIT_AS, &bound);
  }
  if (::getrlimit(RLIMIT_CPU, &bound) == 0 && seconds > bound.rlim_cur) {
    bound.rlim_cur = std::min<rlim_t>(seconds, bound.rlim_max);
    ::setrlimit(RLIMIT_CPU, &bound);
  }
}

}  // namespace mesh
