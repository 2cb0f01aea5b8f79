#include "obt/text_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include "obt/io_error.h"
#include "obt/number_token.h"
#include "obt/vector_line.h"

namespace obt {
namespace {

constexpr char kEndOfInputByte = 0x1A;
constexpr char kCarriageReturn = 0x0D;
constexpr char kLineFeed = 0x0A;

bool IsSeparator(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// Opens without waiting for a writer when the path is a FIFO; a directory
// counts as a file that cannot be opened. Returns the descriptor or -1 with
// errno set.
int OpenExistingForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

}  // namespace

TextReader::TextReader(PendingIoError& pending) : pending_(&pending) {}

TextReader::~TextReader() {
  if (fd_ >= 0) ::close(fd_);
}

int TextReader::OpenForReading(const std::string& path) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  pos_ = end_ = 0;
  input_ended_ = true;
  line_number_ = 1;
  numbers_past_end_ = 0;
  first_malformed_line_ = 0;
  const int fd = OpenExistingForReading(path);
  if (fd < 0) {
    const int error = errno;
    pending_->Set(IoCodeFromErrno(error));
    return error;
  }
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
  fd_ = fd;
  input_ended_ = false;
  return 0;
}

bool TextReader::ReadsRegularFile() const {
  struct stat info {};
  return fd_ >= 0 && ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode);
}

std::size_t TextReader::Refill(std::size_t wanted) {
  const std::size_t available = end_ - pos_;
  std::memmove(buffer_.get(), buffer_.get() + pos_, available);
  pos_ = 0;
  end_ = available;
  while (end_ < wanted && !input_ended_) {
    const ssize_t got = ::read(fd_, buffer_.get() + end_, kBufferSize - end_);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) pending_->Set(IoCodeFromErrno(errno));
    if (got <= 0) {
      input_ended_ = true;
      break;
    }
    const char* fresh = buffer_.get() + end_;
    const void* stop = std::memchr(fresh, kEndOfInputByte, got);
    if (stop != nullptr) {
      end_ = static_cast<const char*>(stop) - buffer_.get();
      input_ended_ = true;
    } else {
      end_ += got;
    }
  }
  return end_ - pos_;
}

std::string TextReader::ReadLineText(std::size_t max_length) {
  std::string line;
  while (line.size() < max_length && !AtEndOfInput()) {
    const std::size_t room = std::min(end_ - pos_, max_length - line.size());
    const char* start = buffer_.get() + pos_;
    const void* cr = std::memchr(start, kCarriageReturn, room);
    const std::size_t take =
        cr != nullptr ? static_cast<const char*>(cr) - start : room;
    line.append(start, take);
    pos_ += take;
    if (cr != nullptr) break;
  }
  return line;
}

void TextReader::SkipToNextLine() {
  while (!AtEndOfInput()) {
    const char* start = buffer_.get() + pos_;
    const void* cr = std::memchr(start, kCarriageReturn, end_ - pos_);
    if (cr == nullptr) {
      pos_ = end_;
      continue;
    }
    pos_ += static_cast<const char*>(cr) - start + 1;
    ++line_number_;
    if (!AtEndOfInput() && buffer_[pos_] == kLineFeed) ++pos_;
    return;
  }
}

bool TextReader::ReadCommonLine(int32_t* values, std::size_t count) {
  const char* const begin = buffer_.get() + pos_;
#if defined(__x86_64__)
  // Most lines of a mesh are read in one look at their bytes.
  if (vector_lines_ && end_ - pos_ >= vector_line::kReadableBytes) {
    if (const std::size_t length =
            vector_line::ReadShortLine(begin, values, count);
        length != 0) {
      pos_ += length;
      ++line_number_;
      return true;
    }
  }
#endif
  // Longer lines are rare enough to take the general way.
  constexpr std::size_t kLineWindow = 128;
  const char* const end = begin + std::min(end_ - pos_, kLineWindow);
  const char* p = begin;
  for (std::size_t n = 0; n < count; ++n) {
    // A number on a later line is the general way's business.
    while (p < end && IsSeparator(*p) && *p != kCarriageReturn) ++p;
    if (p == end || *p == kCarriageReturn) return false;
    const std::optional<ShortDecimal> number = ParseShortDecimal(p, end);
    // Only what ReadNumber takes at once: the short form ended by a
    // separator that stands in the window.
    if (!number || number->end == end || !IsSeparator(*number->end)) {
      return false;
    }
    values[n] = number->value;
    p = number->end;
  }
  // The rest of the line is skipped; the byte after its CR must be seen to
  // know whether an LF belongs to the line end.
  // Nearly always the CR follows the last number at once.
  const void* cr =
      *p == kCarriageReturn ? p : std::memchr(p, kCarriageReturn, end - p);
  if (cr == nullptr) return false;
  p = static_cast<const char*>(cr) + 1;
  if (p == end) return false;
  if (*p == kLineFeed) ++p;
  pos_ += static_cast<std::size_t>(p - begin);
  ++line_number_;
  return true;
}

bool TextReader::SkipSeparators() {
  for (;;) {
    if (AtEndOfInput()) return false;
    while (pos_ < end_ && IsSeparator(buffer_[pos_])) {
      if (buffer_[pos_] == kCarriageReturn) ++line_number_;
      ++pos_;
    }
    if (pos_ < end_) return true;
  }
}

int32_t TextReader::ReadNumber() {
  if (!SkipSeparators()) {
    ++numbers_past_end_;
    return 0;
  }
  const std::size_t limit =
      std::min(EnsureAvailable(kMaxTokenLength), kMaxTokenLength);
  const char* start = buffer_.get() + pos_;
  // The common token takes one pass; anything longer or stranger takes the
  // full rules. The token ends at a separator, or where the input ends.
  if (const std::optional<ShortDecimal> number =
          ParseShortDecimal(start, start + limit);
      number && (number->end == start + limit || IsSeparator(*number->end))) {
    pos_ += static_cast<std::size_t>(number->end - start);
    return number->value;
  }
  std::size_t length = 0;
  while (length < limit && !IsSeparator(start[length])) ++length;
  pos_ += length;
  const std::optional<int32_t> value =
      ParseNumberToken(std::string_view(start, length));
  if (!value) {
    pending_->Set(kIoInvalidNumber);
    if (first_malformed_line_ == 0) first_malformed_line_ = line_number_;
    return 0;
  }
  return *value;
}

void TextReader::CloseTextFile() {
  if (fd_ < 0) {
    pending_->Set(kIoFileNotOpen);
    return;
  }
  if (::close(fd_) != 0) pending_->Set(IoCodeFromErrno(errno));
  fd_ = -1;
  pos_ = end_ = 0;
  input_ended_ = true;
}

}  // namespace obt
