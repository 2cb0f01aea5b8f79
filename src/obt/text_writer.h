#ifndef OBTMIRROR_OBT_TEXT_WRITER_H_
#define OBTMIRROR_OBT_TEXT_WRITER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "obt/background_writer.h"
#include "obt/decimal_format.h"
#include "obt/pending_io_error.h"
#include "obt/target_file.h"

namespace obt {

// Writes an OBT file as text, buffered. Nothing here raises: a failing
// open, write or close records its code in the PendingIoError. The output
// takes the target's place only when CloseTextFile succeeds after writes
// that all succeeded; until then, and after Abandon, the target is as it was.
//
// A full buffer goes to the file on a second thread while the next one is
// filled, so a failing write is recorded one buffer later than it happened;
// a run that checks after every line still stops before its output is used.
class TextWriter {
 public:
  explicit TextWriter(PendingIoError& pending);
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  void OpenForWriting(const std::string& path);
  bool IsOpen() const { return target_.IsOpen(); }

  void WriteText(std::string_view bytes);

  // The three writers of every number line are inline: a conversion writes
  // some hundred million of them.
  void WriteNumber(int32_t value) {
    Reserve(kMaxDecimalLength);
    used_ = WriteDecimal(buffer_.get() + used_, value) - buffer_.get();
  }
  void WriteSingleChar(char byte) {
    Reserve(1);
    buffer_[used_++] = byte;
  }
  // One record: the integers separated by single blanks, then CR LF; the
  // same bytes as WriteNumber, WriteSingleChar(' ') ... EndLine, with one
  // look at the buffer's room for the whole line.
  template <std::size_t kCount>
  void WriteNumberLine(const std::array<int32_t, kCount>& values) {
    Reserve(kCount * (kMaxDecimalLength + 1) + 2);
    char* out = buffer_.get() + used_;
    for (std::size_t i = 0; i < kCount; ++i) {
      if (i > 0) *out++ = ' ';
      out = WriteDecimal(out, values[i]);
    }
    *out++ = '\r';
    *out++ = '\n';
    used_ = static_cast<std::size_t>(out - buffer_.get());
  }
  // CR LF.
  void EndLine() {
    Reserve(2);
    buffer_[used_++] = '\r';
    buffer_[used_++] = '\n';
  }

  void CloseTextFile();

  // Drops the output without touching the target.
  void Abandon();

 private:
  // Hands the full buffer to the background writer and goes on in the
  // other one.
  void Flush();
  // Room for at least `bytes` more in the buffer.
  void Reserve(std::size_t bytes) {
    if (kBufferSize - used_ < bytes) Flush();
  }
  void RecordWriteError(int error);

  static constexpr std::size_t kBufferSize = 1 << 20;

  PendingIoError& pending_;
  TargetFile target_;
  BackgroundWriter background_;
  // The buffer being filled, and the one the background writer may hold.
  std::unique_ptr<char[]> buffer_;
  std::unique_ptr<char[]> spare_;
  std::size_t used_ = 0;
  bool write_failed_ = false;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_TEXT_WRITER_H_
