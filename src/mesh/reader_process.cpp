#include "mesh/reader_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <span>
#include <utility>

#include "mesh/reader_bounds.h"
#include "mesh/reader_child.h"
#include "mesh/reader_end.h"
#include "mesh/reader_messages.h"
#include "mesh/reader_result.h"
#include "mesh/reader_sandbox.h"
#include "work/work_tables.h"

namespace mesh {
namespace {

using Clock = std::chrono::steady_clock;
using Status = ImportOutcome::Status;

constexpr uint64_t kMiB = uint64_t{1} << 20;

ImportedMesh Refused(std::string reason) {
  ImportedMesh mesh;
  mesh.outcome.status = Status::kNotRead;
  mesh.outcome.reason = std::move(reason);
  return mesh;
}

// The address space this process holds now, which the reader starts with.
uint64_t AddressSpace() {
  std::ifstream statm("/proc/self/statm");
  uint64_t pages = 0;
  statm >> pages;
  return pages * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
}

// A descriptor closed with the object.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : fd_(fd) {}
  ~Descriptor() { Reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

// Moves `from` to the numbers of reader_sandbox.h, /dev/null to standard
// input and output (and error, but in a sanitized build), and closes the
// rest. In the child of a fork: only calls that are safe there.
bool ArrangeDescriptors(const std::array<int, 4>& from) {
  std::array<int, 4> high{};
  for (std::size_t i = 0; i < from.size(); ++i) {
    high[i] = ::fcntl(from[i], F_DUPFD, 16);
    if (high[i] < 0) return false;
  }
  for (std::size_t i = 0; i < from.size(); ++i) {
    if (::dup2(high[i], kFolderFd + static_cast<int>(i)) < 0) return false;
  }
  const int null = ::open("/dev/null", O_RDWR | O_CLOEXEC);
  if (null < 0 || ::dup2(null, STDIN_FILENO) < 0 ||
      ::dup2(null, STDOUT_FILENO) < 0 ||
      (!kSanitized && ::dup2(null, STDERR_FILENO) < 0)) {
    return false;
  }
  return ::syscall(SYS_close_range, kResultFd + 1, ~0U, 0) == 0;
}

// The signals as a new program has them.
void DefaultSignals() {
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ,
                                  SIGXCPU, SIGSEGV, SIGBUS, SIGABRT, SIGSYS}) {
    ::signal(signal_number, SIG_DFL);
  }
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

}  // namespace

// The command's side of one reader process.
class ReaderProcess {
 public:
  ReaderProcess(const ReaderBounds& bounds, work::Feedback& feedback)
      : bounds_(bounds), feedback_(feedback) {}
  ~ReaderProcess() {
    if (prepared_ != nullptr) ::munmap(prepared_, prepared_size_);
  }
  ReaderProcess(const ReaderProcess&) = delete;
  ReaderProcess& operator=(const ReaderProcess&) = delete;

  ImportedMesh Run(const ReaderStart& start, int folder, int model);

 private:
  // Relays the messages until the result is there (true), the reader has
  // ended without one, or it has been ended for silence (`silent_`).
  bool Follow();
  bool Take(const ReaderMessage& message);
  // A view of the memory file for a result of the sizes the reader
  // announced, and a first look at its pages as the reader writes them:
  // the first look at each page of memory another process filled costs
  // about as much as the reader's copy into it, and costs nothing extra
  // while the reader copies.
  void Prepare(std::size_t triangles);
  void LookAt(std::size_t written);
  // The end of a reader that gave no result, in words.
  std::string HowItEnded();
  ImportedMesh TakeResult();

  ReaderBounds bounds_;
  work::Feedback& feedback_;
  pid_t pid_ = -1;
  Descriptor messages_;
  Descriptor result_;
  std::size_t point_count_ = 0;
  void* prepared_ = nullptr;
  std::size_t prepared_size_ = 0;
  std::size_t looked_at_ = 0;
  bool out_of_memory_ = false;
  bool silent_ = false;
  bool misbehaved_ = false;
};

ImportedMesh ReaderProcess::Run(const ReaderStart& start, int folder,
                                int model) {
  result_.Reset(
      static_cast<int>(::syscall(SYS_memfd_create, "obtmirror-reader-result",
                                 MFD_CLOEXEC | MFD_ALLOW_SEALING)));
  std::array<int, 2> pipe{};
  if (result_.get() < 0 || ::pipe2(pipe.data(), O_CLOEXEC) != 0) {
    return Refused(std::string("cannot start the reader process: ") +
                   std::strerror(errno));
  }
  messages_.Reset(pipe[0]);
  Descriptor sending(pipe[1]);
  const pid_t parent = ::getpid();
  pid_ = ::fork();
  if (pid_ < 0) {
    return Refused(std::string("cannot start the reader process: ") +
                   std::strerror(errno));
  }
  if (pid_ == 0) {
    DefaultSignals();
    // The reader ends with the command, however the command ends.
    if (::prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || ::getppid() != parent ||
        !ArrangeDescriptors({folder, model, sending.get(), result_.get()})) {
      ::_exit(127);
    }
    RunReader(start);
  }
  sending.Reset();
  if (!Follow()) return Refused(HowItEnded());
  return TakeResult();
}

bool ReaderProcess::Follow() {
  auto deadline = Clock::now() + SilenceAfter(bounds_.seconds_soft);
  std::array<std::byte, 8 * sizeof(ReaderMessage)> buffer;
  std::size_t held = 0;
  for (;;) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    pollfd watched = {messages_.get(), POLLIN, 0};
    const int ready =
        left.count() <= 0
            ? 0
            : ::poll(&watched, 1,
                     static_cast<int>(std::min<int64_t>(left.count(), 60'000)));
    if (ready < 0 && errno == EINTR) continue;
    if (ready == 0) {
      if (Clock::now() < deadline) continue;
      silent_ = true;
      ::kill(pid_, SIGKILL);
      return false;
    }
    const ssize_t got =
        ::read(messages_.get(), buffer.data() + held, buffer.size() - held);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    held += static_cast<std::size_t>(got);
    std::size_t used = 0;
    for (; held - used >= sizeof(ReaderMessage);
         used += sizeof(ReaderMessage)) {
      ReaderMessage message;
      std::memcpy(&message, buffer.data() + used, sizeof message);
      if (message.kind == ReaderMessageKind::kDone) return true;
      if (!Take(message)) {
        misbehaved_ = true;
        ::kill(pid_, SIGKILL);
        return false;
      }
      if (message.kind == ReaderMessageKind::kTimeBound) {
        deadline = Clock::now() + SilenceAfter(bounds_.seconds_soft);
      }
    }
    std::memmove(buffer.data(), buffer.data() + used, held - used);
    held -= used;
  }
}

bool ReaderProcess::Take(const ReaderMessage& message) {
  switch (message.kind) {
    case ReaderMessageKind::kProgress:
      if (message.value > 100) return false;
      feedback_.SetGaugeProgress(static_cast<int32_t>(message.value));
      return true;
    case ReaderMessageKind::kMemoryBound:
      // Only ever within the hard bound, whatever the reader says.
      bounds_.memory_soft =
          std::clamp(uint64_t{message.value} * kMiB, bounds_.memory_soft,
                     bounds_.memory_hard);
      return true;
    case ReaderMessageKind::kTimeBound:
      bounds_.seconds_soft = std::clamp<uint64_t>(
          message.value, bounds_.seconds_soft, bounds_.seconds_hard);
      return true;
    case ReaderMessageKind::kOutOfMemory:
      out_of_memory_ = true;
      return true;
    case ReaderMessageKind::kPointCount:
      point_count_ = message.value;
      return message.value <= work::kTableCapacity;
    case ReaderMessageKind::kTriangleCount:
      if (message.value > work::kTableCapacity) return false;
      Prepare(message.value);
      return true;
    case ReaderMessageKind::kWritten:
      LookAt(std::size_t{message.value} << 20);
      return true;
    default:
      return false;
  }
}

void ReaderProcess::Prepare(std::size_t triangles) {
  if (prepared_ != nullptr) return;
  // The view is read-only, through a descriptor of its own that cannot
  // write, so that the reader can still seal the file against writing;
  // it reaches past the lists to where the texts will be.
  const std::string self = "/proc/self/fd/" + std::to_string(result_.get());
  const Descriptor reading(::open(self.c_str(), O_RDONLY | O_CLOEXEC));
  if (reading.get() < 0) return;
  const std::size_t size =
      ReaderListsEnd(point_count_, triangles) + kLongestTexts;
  void* const view =
      ::mmap(nullptr, size, PROT_READ, MAP_SHARED, reading.get(), 0);
  if (view == MAP_FAILED) return;
  prepared_ = view;
  prepared_size_ = size;
}

void ReaderProcess::LookAt(std::size_t written) {
  // Only what the file holds already: a page beyond its end would end
  // this process with SIGBUS.
  const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  const std::size_t end = std::min(written, prepared_size_) / page * page;
  if (prepared_ == nullptr || end <= looked_at_) return;
  ::madvise(static_cast<char*>(prepared_) + looked_at_, end - looked_at_,
            MADV_POPULATE_READ);
  looked_at_ = end;
}

std::string ReaderProcess::HowItEnded() {
  ReaderEnd end;
  rusage usage{};
  while (::wait4(pid_, &end.wait_status, 0, &usage) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  end.seconds =
      static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
      1e-6 *
          static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
  end.bounds = bounds_;
  end.silent = silent_;
  end.misbehaved = misbehaved_;
  end.out_of_memory = out_of_memory_;
  return DescribeReaderEnd(end);
}

ImportedMesh ReaderProcess::TakeResult() {
  ImportedMesh mesh;
  mesh.reader_ = std::exchange(pid_, -1);
  // Sealed, the memory file can no longer change, even if the reader has
  // been taken over: what is checked below is what is used.
  constexpr int kSeals = F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE;
  struct stat info {};
  const int seals = ::fcntl(result_.get(), F_GET_SEALS);
  if (seals < 0 || (seals & kSeals) != kSeals ||
      ::fstat(result_.get(), &info) != 0 || info.st_size <= 0 ||
      static_cast<uint64_t>(info.st_size) > LargestResult()) {
    mesh.outcome.status = Status::kNotRead;
    mesh.outcome.reason =
        "the reader process handed back no result that can be used; the file "
        "may be made to attack";
    return mesh;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  if (prepared_ != nullptr && size <= prepared_size_) {
    mesh.mapping_ = std::exchange(prepared_, nullptr);
    mesh.mapped_ = prepared_size_;
  } else {
    void* const mapping =
        ::mmap(nullptr, size, PROT_READ, MAP_SHARED, result_.get(), 0);
    if (mapping == MAP_FAILED) {
      mesh.outcome.status = Status::kTooLarge;
      mesh.outcome.reason =
          std::string("cannot map the result: ") + std::strerror(errno);
      return mesh;
    }
    mesh.mapping_ = mapping;
    mesh.mapped_ = size;
  }
  std::string fault;
  std::optional<ReaderResult> result = ParseReaderResult(
      std::span(static_cast<const std::byte*>(mesh.mapping_), size), fault);
  if (!result) {
    mesh.outcome.status = Status::kNotRead;
    mesh.outcome.reason = "the reader process handed back " + fault +
                          "; the file may be made to attack";
    return mesh;
  }
  mesh.outcome = std::move(result->outcome);
  mesh.lists = result->lists;
  return mesh;
}

ImportedMesh ImportMeshApart(const std::string& path,
                             const ImportOptions& options,
                             const ReaderLimits& limits,
                             work::Feedback& feedback) {
  feedback.SetGaugeMaximum(100);
  feedback.SetGaugeProgress(0);
  // Opened without blocking on a FIFO, whose writer might never come.
  Descriptor model(
      ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  struct stat info {};
  if (model.get() < 0 || ::fstat(model.get(), &info) != 0) {
    return Refused(std::strerror(errno));
  }
  if (!S_ISREG(info.st_mode)) return Refused("not a regular file");
  const std::size_t slash = path.rfind('/');
  const std::string folder_path = slash == std::string::npos ? "."
                                  : slash == 0               ? "/"
                                               : path.substr(0, slash);
  Descriptor folder(
      ::open(folder_path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (folder.get() < 0) {
    return Refused("cannot open the model's folder: " +
                   std::string(std::strerror(errno)));
  }

  ReaderStart start;
  start.model_name = slash == std::string::npos ? path : path.substr(slash + 1);
  start.options = options;
  start.limits = limits;
  start.base = AddressSpace();
  start.model_bytes = static_cast<uint64_t>(info.st_size);
  const ReaderBounds bounds = BoundsFor(limits, start.base, start.model_bytes);
  return ReaderProcess(bounds, feedback).Run(start, folder.get(), model.get());
}

}  // namespace mesh
