#include "files/target_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <random>
#include <string_view>
#include <utility>

#include "files/unfinished_files.h"

namespace files {
namespace {

constexpr int kMaxLinkHops = 40;
constexpr std::size_t kMaxKeptNameLength = 200;
constexpr std::string_view kUnfinishedMarker = ".obtmirror-unfinished-";

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links in the last component until it names something that
// is not a link (or nothing at all). Returns 0 or an errno value.
int FollowLinks(std::string& path) {
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
    std::array<char, 4096> target{};
    const ssize_t length =
        ::readlink(path.c_str(), target.data(), target.size());
    if (length < 0) return errno;
    if (static_cast<std::size_t>(length) == target.size()) return ENAMETOOLONG;
    std::string next(target.data(), static_cast<std::size_t>(length));
    if (next.empty()) return ENOENT;
    path = next.front() == '/' ? next : DirectoryOf(path) + "/" + next;
  }
  return ELOOP;
}

std::string RandomSuffix() {
  static constexpr std::string_view kAlphabet =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  static std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string suffix(6, ' ');
  for (char& c : suffix) c = kAlphabet[pick(generator)];
  return suffix;
}

int CloseReportingError(int fd) { return ::close(fd) == 0 ? 0 : errno; }

}  // namespace

int TargetFile::Open(const std::string& path) {
  // Names that other file systems refuse as wildcards are refused here too.
  if (NameOf(path).find_first_of("*?") != std::string::npos) {
    Abandon();
    return EINVAL;
  }
  return OpenAnyName(path);
}

int TargetFile::OpenAnyName(const std::string& path, Links links) {
  Abandon();
  replaced_ = false;
  if (path.empty()) return ENOENT;

  std::string resolved = path;
  if (links == Links::kFollow) {
    if (const int error = FollowLinks(resolved); error != 0) return error;
  }

  struct stat info {};
  if (::lstat(resolved.c_str(), &info) != 0) {
    if (errno != ENOENT) return errno;
    return OpenBeside(resolved, false, 0, 0, 0);
  }
  // Only kReplace leaves a link here: the new file takes the link's place.
  if (S_ISLNK(info.st_mode)) return OpenBeside(resolved, false, 0, 0, 0);
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (!S_ISREG(info.st_mode)) return OpenDirect(resolved);

  // The run must not start on a target it could not have written.
  const int probe = ::open(resolved.c_str(), O_WRONLY | O_CLOEXEC);
  if (probe < 0) return errno;
  ::close(probe);
  return OpenBeside(resolved, true, info.st_mode & 07777, info.st_uid,
                    info.st_gid);
}

int TargetFile::OpenDirect(const std::string& path) {
  // O_NONBLOCK: a FIFO without a reader is refused instead of waited for.
  const int fd =
      ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  fd_ = fd;
  final_path_ = path;
  temporary_path_.clear();
  return 0;
}

int TargetFile::OpenBeside(const std::string& path, bool replaces, mode_t mode,
                           uid_t owner, gid_t group) {
  const std::string prefix = DirectoryOf(path) + "/" +
                             NameOf(path).substr(0, kMaxKeptNameLength) +
                             std::string(kUnfinishedMarker);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = prefix + RandomSuffix();
    int slot = kNotRemembered;
    const int fd = CreateUnfinishedFile(candidate, slot);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return errno;
    fd_ = fd;
    final_path_ = path;
    temporary_path_ = std::move(candidate);
    unfinished_slot_ = slot;
    replaces_existing_ = replaces;
    if (replaces) {
      // The replaced file keeps its mode and, where we may, its owner. A
      // target that would lose its mode is not written at all.
      if (::fchmod(fd, mode) != 0) {
        const int error = errno;
        Abandon();
        return error;
      }
      struct stat created {};
      if (::fstat(fd, &created) == 0 &&
          (created.st_uid != owner || created.st_gid != group)) {
        [[maybe_unused]] const int ignored = ::fchown(fd, owner, group);
      }
    }
    return 0;
  }
  return EEXIST;
}

int TargetFile::Commit() {
  if (fd_ < 0) return EBADF;
  const int fd = fd_;
  fd_ = -1;
  if (temporary_path_.empty()) return CloseReportingError(fd);

  // The old contents must survive a crash right after the rename, so the new
  // ones reach the disk first. A new name has nothing to lose.
  int error = replaces_existing_ && ::fsync(fd) != 0 ? errno : 0;
  if (const int close_error = CloseReportingError(fd); error == 0) {
    error = close_error;
  }
  if (error == 0 &&
      ::rename(temporary_path_.c_str(), final_path_.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) ::unlink(temporary_path_.c_str());
  ForgetTemporary();
  return error;
}

void TargetFile::Abandon() {
  PutBack();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_path_.empty()) ::unlink(temporary_path_.c_str());
  ForgetTemporary();
}

int TargetFile::Sync() {
  if (fd_ < 0) return EBADF;
  if (temporary_path_.empty()) return 0;
  const int error = ::fsync(fd_) != 0 ? errno : 0;
  const int close_error = CloseReportingError(fd_);
  fd_ = -1;
  return error != 0 ? error : close_error;
}

void TargetFile::MarkPlacing() { PlaceUnfinishedFile(unfinished_slot_); }

int TargetFile::Place() {
  if (temporary_path_.empty()) {
    if (fd_ < 0) return EBADF;
    return CloseReportingError(std::exchange(fd_, -1));
  }
  if (fd_ >= 0) return EBADF;
  // Swapped, the old file keeps the temporary name until Settle.
  if (::renameat2(AT_FDCWD, temporary_path_.c_str(), AT_FDCWD,
                  final_path_.c_str(), RENAME_EXCHANGE) == 0) {
    // A folder made there since the target was opened is no file to
    // replace: it goes back.
    struct stat old {};
    if (::lstat(temporary_path_.c_str(), &old) == 0 && S_ISDIR(old.st_mode)) {
      ::renameat2(AT_FDCWD, temporary_path_.c_str(), AT_FDCWD,
                  final_path_.c_str(), RENAME_EXCHANGE);
      return EISDIR;
    }
    placed_ = replaced_ = true;
    old_path_ = temporary_path_;
    return 0;
  }
  if (errno == ENOENT) {
    if (::rename(temporary_path_.c_str(), final_path_.c_str()) != 0) {
      return errno;
    }
    placed_ = true;
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return errno;
  return MoveBesideOld();
}

// For file systems that cannot swap two names: the old file gets a second
// name first, where one can be made.
int TargetFile::MoveBesideOld() {
  std::string kept = temporary_path_ + "-old";
  struct stat info {};
  replaced_ = ::lstat(final_path_.c_str(), &info) == 0;
  if (replaced_ && ::link(final_path_.c_str(), kept.c_str()) != 0) {
    kept.clear();
  }
  if (::rename(temporary_path_.c_str(), final_path_.c_str()) != 0) {
    const int error = errno;
    if (!kept.empty()) ::unlink(kept.c_str());
    replaced_ = false;
    return error;
  }
  placed_ = true;
  old_path_ = std::move(kept);
  return 0;
}

void TargetFile::PutBack() {
  if (!placed_) return;
  placed_ = false;
  if (!old_path_.empty()) {
    ::rename(old_path_.c_str(), final_path_.c_str());
  } else if (!replaced_) {
    ::unlink(final_path_.c_str());
  }
  old_path_.clear();
  replaced_ = false;
}

void TargetFile::Settle() {
  if (!old_path_.empty()) ::unlink(old_path_.c_str());
  old_path_.clear();
  placed_ = false;
  ForgetTemporary();
}

void TargetFile::ForgetTemporary() {
  // Only once the file has its final name or none: a signal in between
  // removes a name that is gone already, which does no harm.
  ForgetUnfinishedFile(unfinished_slot_);
  unfinished_slot_ = kNotRemembered;
  temporary_path_.clear();
}

}  // namespace files
