#include "mesh/reader_io_system.h"

#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <assimp/IOStream.hpp>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <utility>

#include "mesh/file_extension.h"

namespace mesh {
namespace {

// A file of the model's folder, read with pread so that the library may
// open the same file more than once.
class ReaderStream final : public Assimp::IOStream {
 public:
  // Takes `fd` over when `owned`.
  ReaderStream(int fd, bool owned, std::size_t size)
      : fd_(fd), owned_(owned), size_(size) {}
  ~ReaderStream() override {
    if (owned_) ::close(fd_);
  }
  ReaderStream(const ReaderStream&) = delete;
  ReaderStream& operator=(const ReaderStream&) = delete;

  size_t Read(void* buffer, size_t size, size_t count) override {
    if (size == 0) return 0;
    count = std::min(count, (size_ - position_) / size);
    auto* bytes = static_cast<char*>(buffer);
    const std::size_t wanted = size * count;
    std::size_t got = 0;
    while (got < wanted) {
      const ssize_t n = ::pread(fd_, bytes + got, wanted - got,
                                static_cast<off_t>(position_ + got));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    position_ += got;
    return got / size;
  }

  size_t Write(const void*, size_t, size_t) override { return 0; }

  aiReturn Seek(size_t offset, aiOrigin origin) override {
    std::size_t base = 0;
    if (origin == aiOrigin_CUR) base = position_;
    if (origin == aiOrigin_END) base = size_;
    if (origin == aiOrigin_END ? offset > size_ : offset > size_ - base) {
      return aiReturn_FAILURE;
    }
    position_ = origin == aiOrigin_END ? size_ - offset : base + offset;
    return aiReturn_SUCCESS;
  }

  size_t Tell() const override { return position_; }
  size_t FileSize() const override { return size_; }
  void Flush() override {}

 private:
  int fd_;
  bool owned_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// The name without the "./" that the library puts in front.
std::string Plain(std::string path) {
  while (path.starts_with("./")) path.erase(0, 2);
  return path;
}

// "scheme:" in front, as in "file:///etc/passwd" or "http://..."; a
// Windows drive letter counts too.
bool HasScheme(const std::string& path) {
  const std::size_t colon = path.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  return std::all_of(path.begin(), path.begin() + static_cast<long>(colon),
                     [](char c) {
                       return std::isalnum(static_cast<unsigned char>(c)) ||
                              c == '+' || c == '-' || c == '.';
                     });
}

}  // namespace

std::string ReferenceKind(const std::string& model_name,
                          const std::string& reference) {
  const std::string extension = LowerExtension(reference);
  const std::string model = LowerExtension(model_name);
  if (extension == "mtl" || model == "obj") return "material library";
  for (const char* image : {"png", "jpg", "jpeg", "bmp", "tga", "dds", "gif",
                            "tif", "tiff", "ktx", "ktx2", "webp"}) {
    if (extension == image) return "image";
  }
  if (model == "gltf" || model == "glb") return "buffer";
  return "file";
}

ReaderIoSystem::ReaderIoSystem(int folder, int model, std::string model_name,
                               std::function<void(uint64_t)> opened)
    : folder_(folder),
      model_(model),
      model_name_(std::move(model_name)),
      opened_(std::move(opened)) {}

bool ReaderIoSystem::Exists(const char* path) const {
  if (path == nullptr) return false;
  if (Plain(path) == model_name_) return true;
  // The library asks after many names it makes up from a reference it
  // could not open (shorter and shorter tails of it): only what it opens
  // is worth a line.
  const int fd = OpenBeneath(path, false);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

Assimp::IOStream* ReaderIoSystem::Open(const char* path, const char* mode) {
  if (path == nullptr || mode == nullptr || std::strchr(mode, 'w') != nullptr ||
      std::strchr(mode, 'a') != nullptr || std::strchr(mode, '+') != nullptr) {
    return nullptr;
  }
  const bool model = Plain(path) == model_name_;
  const int fd = model ? model_ : OpenBeneath(path, true);
  if (fd < 0) return nullptr;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    if (!model) ::close(fd);
    return nullptr;
  }
  const auto size = static_cast<std::size_t>(info.st_size);
  if (!model && seen_.insert(Plain(path)).second) opened_(size);
  return new ReaderStream(fd, !model, size);
}

void ReaderIoSystem::Close(Assimp::IOStream* stream) { delete stream; }

int ReaderIoSystem::OpenBeneath(const std::string& path, bool noted) const {
  const std::string reference = Plain(path);
  const auto refuse = [&](const std::string& why) {
    if (noted) Note(reference, why);
    return -1;
  };
  if (reference.empty() || reference.front() == '/') {
    return refuse("lies outside the model's folder");
  }
  if (HasScheme(reference)) {
    return refuse("names a scheme other than data:, which is refused");
  }
  // Never blocks on a FIFO; a device or a FIFO is refused below.
  open_how how{};
  how.flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  how.resolve = RESOLVE_BENEATH | RESOLVE_NO_MAGICLINKS;
  const int fd = static_cast<int>(
      ::syscall(SYS_openat2, folder_, reference.c_str(), &how, sizeof how));
  if (fd < 0) {
    // A file that is not there is the library's to report, or to do
    // without, as it does for the material library an OBJ file names
    // after itself.
    if (errno == ENOENT) return -1;
    return refuse(errno == EXDEV ? "lies outside the model's folder"
                                 : std::string("cannot be opened: ") +
                                       std::strerror(errno));
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return refuse("is no regular file");
  }
  return fd;
}

void ReaderIoSystem::Note(const std::string& reference,
                          const std::string& why) const {
  if (!seen_.insert(reference).second) return;
  notes_.push_back(ReferenceKind(model_name_, reference) + " \"" + reference +
                   "\" " + why);
}

}  // namespace mesh
