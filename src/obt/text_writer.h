#ifndef OBTMIRROR_OBT_TEXT_WRITER_H_
#define OBTMIRROR_OBT_TEXT_WRITER_H_

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "files/target_file.h"
#include "obt/decimal_format.h"
#include "obt/pending_io_error.h"
#include "work/huge_pages.h"
#include "work/page_block.h"

namespace obt {

// Writes lines [first, end) of a list from `out` on and returns the end of
// what it wrote. Called from more than one thread at once, on disjoint
// ranges, so it must only read shared data. What it throws, on whichever
// thread, ends WriteLines and reaches its caller.
using LineBlockFormat =
    std::function<char*(std::size_t first, std::size_t end, char* out)>;

// Writes an OBT file as text, buffered. Nothing here raises: a failing
// open, write or close records its code in the PendingIoError. The output
// takes the target's place only when CloseTextFile succeeds after writes
// that all succeeded; until then, and after Abandon, the target is as it was.
class TextWriter {
 public:
  explicit TextWriter(PendingIoError& pending);
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  // Returns 0, or the errno of the failed creation, whose code is then
  // pending.
  int OpenForWriting(const std::string& path);
  bool IsOpen() const { return target_.IsOpen(); }

  void WriteText(std::string_view bytes);
  void WriteNumber(int32_t value) {
    Reserve(kMaxDecimalLength);
    used_ = WriteDecimal(buffer_ + used_, value) - buffer_;
  }
  void WriteSingleChar(char byte) {
    Reserve(1);
    buffer_[used_++] = byte;
  }
  // CR LF.
  void EndLine() {
    Reserve(2);
    buffer_[used_++] = '\r';
    buffer_[used_++] = '\n';
  }

  // Writes `count` lines of at most `max_line_length` bytes each, made by
  // `format` a block at a time. A conversion writes some ten million lines
  // in one list, so the blocks are formatted on this thread and a helper
  // thread at once, and each is written as soon as those before it are.
  // Stops at the first failing write. An exception of `format` stops both
  // threads and is thrown here; the output is then never committed.
  void WriteLines(std::size_t count, std::size_t max_line_length,
                  const LineBlockFormat& format);

  void CloseTextFile();

  // Drops the output without touching the target.
  void Abandon();

 private:
  // Writes what the buffer holds.
  void Flush();
  // Room for at least `bytes` more in the buffer.
  void Reserve(std::size_t bytes) {
    if (kBufferSize - used_ < bytes) Flush();
  }
  void RecordWriteError(int error);

  // Two megabytes: the kernel takes a large output faster in few large
  // writes than in many small ones, and each buffer fills one huge page.
  static constexpr std::size_t kBufferSize = work::kHugePage;

  PendingIoError& pending_;
  files::TargetFile target_;
  // The buffer of single writes, which WriteLines uses for this thread's
  // blocks, and the helper thread's block buffer, both in `buffers_`.
  work::PageBlock buffers_;
  char* buffer_ = nullptr;
  char* spare_ = nullptr;
  std::size_t used_ = 0;
  bool write_failed_ = false;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_TEXT_WRITER_H_
