#include "obt/text_writer.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

#include "obt/io_error.h"

namespace obt {

TextWriter::TextWriter(PendingIoError& pending) : pending_(pending) {}

void TextWriter::OpenForWriting(const std::string& path) {
  used_ = 0;
  write_failed_ = false;
  if (const int error = target_.Open(path); error != 0) {
    pending_.Set(IoCodeFromErrno(error));
    return;
  }
  if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kBufferSize);
}

void TextWriter::WriteText(std::string_view bytes) {
  while (!bytes.empty()) {
    Reserve(1);
    const std::size_t take = std::min(bytes.size(), kBufferSize - used_);
    std::memcpy(buffer_.get() + used_, bytes.data(), take);
    used_ += take;
    bytes.remove_prefix(take);
  }
}

void TextWriter::WriteNumber(int32_t value) {
  constexpr std::size_t kLongest = 11;  // "-2147483648"
  Reserve(kLongest);
  char* out = buffer_.get() + used_;
  used_ = std::to_chars(out, out + kLongest, value).ptr - buffer_.get();
}

void TextWriter::WriteSingleChar(char byte) {
  Reserve(1);
  buffer_[used_++] = byte;
}

void TextWriter::EndLine() {
  Reserve(2);
  buffer_[used_++] = '\r';
  buffer_[used_++] = '\n';
}

void TextWriter::Flush() {
  const char* data = buffer_.get();
  std::size_t left = used_;
  used_ = 0;
  if (!target_.IsOpen()) {
    pending_.Set(kIoFileNotOpen);
    return;
  }
  while (left > 0) {
    const ssize_t written = ::write(target_.fd(), data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) {
      write_failed_ = true;
      pending_.Set(IoCodeFromErrno(errno));
      return;
    }
    data += written;
    left -= static_cast<std::size_t>(written);
  }
}

void TextWriter::CloseTextFile() {
  if (!target_.IsOpen()) {
    pending_.Set(kIoFileNotOpen);
    return;
  }
  if (used_ > 0) Flush();
  if (write_failed_) {
    target_.Abandon();
    return;
  }
  if (const int error = target_.Commit(); error != 0) {
    pending_.Set(IoCodeFromErrno(error));
  }
}

void TextWriter::Abandon() {
  used_ = 0;
  target_.Abandon();
}

}  // namespace obt
