#ifndef OBTMIRROR_OBT_TEXT_WRITER_H_
#define OBTMIRROR_OBT_TEXT_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "obt/pending_io_error.h"
#include "obt/target_file.h"

namespace obt {

// Writes an OBT file as text, buffered. Nothing here raises: a failing
// open, write or close records its code in the PendingIoError. The output
// takes the target's place only when CloseTextFile succeeds after writes
// that all succeeded; until then, and after Abandon, the target is as it was.
class TextWriter {
 public:
  explicit TextWriter(PendingIoError& pending);
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  void OpenForWriting(const std::string& path);
  bool IsOpen() const { return target_.IsOpen(); }

  void WriteText(std::string_view bytes);
  void WriteNumber(int32_t value);
  void WriteSingleChar(char byte);
  // CR LF.
  void EndLine();

  void CloseTextFile();

  // Drops the output without touching the target.
  void Abandon();

  const TargetFile& target() const { return target_; }

 private:
  void Flush();
  // Room for at least `bytes` more in the buffer.
  void Reserve(std::size_t bytes) {
    if (kBufferSize - used_ < bytes) Flush();
  }

  static constexpr std::size_t kBufferSize = 1 << 20;

  PendingIoError& pending_;
  TargetFile target_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool write_failed_ = false;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_TEXT_WRITER_H_
