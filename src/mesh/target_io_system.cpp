#include "mesh/target_io_system.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <assimp/IOStream.hpp>
#include <cerrno>
#include <cstring>
#include <utility>

#include "files/unfinished_files.h"
#include "obt/file_identity.h"
#include "obt/ordered_output.h"

namespace mesh {

class TargetStream;

// One file an exporter writes, with the buffer its stream fills.
struct TargetIoSystem::Target {
  static constexpr std::size_t kBufferSize = 1 << 20;

  Target() = default;
  ~Target() {
    if (staged >= 0) ::close(staged);
  }
  Target(const Target&) = delete;
  Target& operator=(const Target&) = delete;

  // Where the stream's bytes go: the file beside the target, or the memory
  // that gathers them for a FIFO or device.
  int out() const { return staged >= 0 ? staged : file.fd(); }

  std::string path;
  files::TargetFile file;
  int staged = -1;
  std::unique_ptr<char[]> buffer;
  std::size_t used = 0;
  // Where the buffer starts in the file, and how long the file is.
  std::size_t position = 0;
  std::size_t size = 0;
  bool failed = false;
  TargetStream* stream = nullptr;

  void Flush(TargetIoSystem& io) {
    if (used == 0) return;
    const std::size_t bytes = std::exchange(used, 0);
    if (failed) return;
    if (const int error = obt::WriteFully(out(), buffer.get(), bytes);
        error != 0) {
      failed = true;
      io.RecordFailure(WriteFailure::Kind::kWriteFailed, path, error);
      return;
    }
    position += bytes;
    size = std::max(size, position);
  }
};

class TargetStream final : public Assimp::IOStream {
 public:
  TargetStream(TargetIoSystem& io, TargetIoSystem::Target& target)
      : io_(io), target_(&target) {
    target.stream = this;
  }
  ~TargetStream() override {
    if (target_ == nullptr) return;
    target_->Flush(io_);
    target_->stream = nullptr;
  }
  TargetStream(const TargetStream&) = delete;
  TargetStream& operator=(const TargetStream&) = delete;

  void Detach() { target_ = nullptr; }

  size_t Read(void*, size_t, size_t) override { return 0; }

  size_t Write(const void* data, size_t size, size_t count) override {
    if (target_ == nullptr || target_->failed || size == 0) return 0;
    const char* bytes = static_cast<const char*>(data);
    std::size_t left = size * count;
    while (left > 0) {
      if (target_->used == TargetIoSystem::Target::kBufferSize) {
        target_->Flush(io_);
        if (target_->failed) return 0;
      }
      const std::size_t take =
          std::min(left, TargetIoSystem::Target::kBufferSize - target_->used);
      std::memcpy(target_->buffer.get() + target_->used, bytes, take);
      target_->used += take;
      bytes += take;
      left -= take;
    }
    return count;
  }

  aiReturn Seek(size_t offset, aiOrigin origin) override {
    if (target_ == nullptr || target_->failed) return aiReturn_FAILURE;
    target_->Flush(io_);
    const int whence = origin == aiOrigin_SET   ? SEEK_SET
                       : origin == aiOrigin_CUR ? SEEK_CUR
                                                : SEEK_END;
    const off_t at =
        ::lseek(target_->out(), static_cast<off_t>(offset), whence);
    if (at < 0) return aiReturn_FAILURE;
    target_->position = static_cast<std::size_t>(at);
    return aiReturn_SUCCESS;
  }

  size_t Tell() const override {
    return target_ == nullptr ? 0 : target_->position + target_->used;
  }

  size_t FileSize() const override {
    return target_ == nullptr ? 0 : std::max(target_->size, Tell());
  }

  void Flush() override {
    if (target_ != nullptr) target_->Flush(io_);
  }

 private:
  TargetIoSystem& io_;
  TargetIoSystem::Target* target_;
};

// Copies what `from` holds, from its start, to `to`; 0 or an errno value.
int CopyAll(int from, int to, char* buffer, std::size_t size) {
  if (::lseek(from, 0, SEEK_SET) < 0) return errno;
  for (;;) {
    const ssize_t got = ::read(from, buffer, size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return errno;
    if (got == 0) return 0;
    if (const int error =
            obt::WriteFully(to, buffer, static_cast<std::size_t>(got));
        error != 0) {
      return error;
    }
  }
}

TargetIoSystem::TargetIoSystem(std::string source, std::string named)
    : source_(std::move(source)), named_(std::move(named)) {}

TargetIoSystem::~TargetIoSystem() {
  for (const std::unique_ptr<Target>& target : targets_) {
    if (target->stream != nullptr) target->stream->Detach();
  }
}

bool TargetIoSystem::Exists(const char* path) const {
  struct stat info {};
  return ::stat(path, &info) == 0;
}

Assimp::IOStream* TargetIoSystem::Open(const char* path, const char* mode) {
  // An export reads nothing.
  if (mode == nullptr || std::strchr(mode, 'w') == nullptr) return nullptr;
  auto target = std::make_unique<Target>();
  target->path = path;
  const bool named = target->path == named_;
  struct stat info {};
  if (obt::NameSameFile(target->path, source_)) {
    target->failed = true;
    RecordFailure(WriteFailure::Kind::kSameFile, target->path, 0);
  } else if (!named && ::lstat(path, &info) == 0 && !S_ISREG(info.st_mode) &&
             !S_ISLNK(info.st_mode)) {
    target->failed = true;
    RecordFailure(WriteFailure::Kind::kNotRegular, target->path, 0);
  } else if (const int error = target->file.OpenAnyName(
                 target->path, named ? files::TargetFile::Links::kFollow
                                     : files::TargetFile::Links::kReplace);
             error != 0) {
    target->failed = true;
    RecordFailure(WriteFailure::Kind::kNotCreated, target->path, error);
  } else if (Stage(*target)) {
    target->buffer =
        std::make_unique_for_overwrite<char[]>(Target::kBufferSize);
  }
  targets_.push_back(std::move(target));
  return new TargetStream(*this, *targets_.back());
}

void TargetIoSystem::Close(Assimp::IOStream* stream) { delete stream; }

bool TargetIoSystem::Stage(Target& target) {
  if (!target.file.WritesInPlace()) return true;
  target.staged = ::memfd_create("obtmirror-export", MFD_CLOEXEC);
  if (target.staged >= 0) return true;
  target.failed = true;
  RecordFailure(WriteFailure::Kind::kNotCreated, target.path, errno);
  return false;
}

void TargetIoSystem::RecordFailure(WriteFailure::Kind kind,
                                   const std::string& path, int error) {
  if (failure_.kind == WriteFailure::Kind::kNone) {
    failure_ = {kind, path, error};
  }
}

bool TargetIoSystem::CommitAll() {
  for (const std::unique_ptr<Target>& target : targets_) {
    target->Flush(*this);
  }
  for (const std::unique_ptr<Target>& target : targets_) {
    if (failure_.kind != WriteFailure::Kind::kNone) break;
    if (const int error = target->file.Sync(); error != 0) {
      RecordFailure(WriteFailure::Kind::kWriteFailed, target->path, error);
    }
  }
  if (failure_.kind != WriteFailure::Kind::kNone) {
    AbandonAll();
    return false;
  }
  // A few renames: an ending signal waits for them, so that it finds every
  // file old or every file new.
  const files::EndingSignalsHeld held;
  for (const std::unique_ptr<Target>& target : targets_) {
    target->file.MarkPlacing();
  }
  for (std::size_t i = targets_.size(); i-- > 0;) {
    Target& target = *targets_[i];
    int error = 0;
    if (target.staged >= 0) {
      error = CopyAll(target.staged, target.file.fd(), target.buffer.get(),
                      Target::kBufferSize);
    }
    if (error == 0) error = target.file.Place();
    if (error != 0) {
      RecordFailure(WriteFailure::Kind::kWriteFailed, target.path, error);
      AbandonAll();
      return false;
    }
  }
  for (const std::unique_ptr<Target>& target : targets_) {
    target->file.Settle();
  }
  return true;
}

void TargetIoSystem::AbandonAll() {
  for (const std::unique_ptr<Target>& target : targets_) {
    target->used = 0;
    target->file.Abandon();
  }
}

std::vector<WrittenFile> TargetIoSystem::files() const {
  std::vector<WrittenFile> files;
  for (const std::unique_ptr<Target>& target : targets_) {
    files.push_back({target->path, target->file.replaced()});
  }
  return files;
}

}  // namespace mesh
