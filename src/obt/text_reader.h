#ifndef OBTMIRROR_OBT_TEXT_READER_H_
#define OBTMIRROR_OBT_TEXT_READER_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "obt/pending_io_error.h"
#include "obt/vector_digits.h"

namespace obt {

// Reads an OBT file as text: whole lines for the header, then integers.
// Input ends at the end of the file or at the first 0x1A byte, whichever
// comes first; from there on every read sees the end again. A line ends at
// CR LF or at a lone CR; a lone LF is an ordinary byte.
//
// Nothing here raises: a failing open, read or close records its code in
// the PendingIoError and reading goes on as if the input had ended.
class TextReader {
 public:
  static constexpr std::size_t kNoLimit =
      std::numeric_limits<std::size_t>::max();
  // The size of the buffer, which its first read asks to fill.
  static constexpr std::size_t kBufferSize = 256 * 1024;

  explicit TextReader(PendingIoError& pending);
  ~TextReader();
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Returns 0, or the errno of the failed open, whose code is then pending.
  int OpenForReading(const std::string& path);
  bool IsOpen() const { return fd_ >= 0; }
  // Whether the input is a regular file, whose reads never wait for a
  // writer.
  bool ReadsRegularFile() const;

  // The bytes of the current line up to its CR or the end of input, at
  // most max_length of them. Leaves the line end unread.
  std::string ReadLineText(std::size_t max_length = kNoLimit);

  // Moves past the next CR, and past one LF right after it.
  void SkipToNextLine();

  // The next integer token, which may stand on a later line. 0 at the end
  // of input. A malformed token records error 106, is consumed, and gives 0.
  int32_t ReadNumber();

  // Where failures are recorded from now on: a helper thread that reads
  // while another writes keeps its errors apart until it is done.
  void set_pending(PendingIoError& pending) { pending_ = &pending; }

  // Reads kCount numbers, then moves to the next line: the same as kCount
  // ReadNumber calls and one SkipToNextLine. A conversion reads millions of
  // such lines, and the common one (short numbers between blanks, its CR LF
  // already in the buffer) is read here in a single pass. Returns the line
  // of the first number (where the input ended, when it did).
  template <std::size_t kCount>
  int64_t ReadNumberLine(std::array<int32_t, kCount>& values) {
    const int64_t line = line_number_;
    if (ReadCommonLine(values.data(), kCount)) return line;
    values[0] = ReadNumber();
    const int64_t first_line = line_number_;
    for (std::size_t i = 1; i < kCount; ++i) values[i] = ReadNumber();
    SkipToNextLine();
    return first_line;
  }

  // Moves past blanks, line ends and the other separator bytes; true when
  // something else follows, false at the end of input.
  bool SkipSeparators();

  void CloseTextFile();

  // True when every further read would see the end of input.
  bool AtEndOfInput() { return EnsureAvailable(1) == 0; }

  // Where reading stands, for messages that name a line: the number, from
  // 1, of the line that holds the next unread byte. Each CR that reading
  // moves past ends a line.
  int64_t line_number() const { return line_number_; }
  // How many ReadNumber calls since the open found the input ended and
  // gave 0 for a number the file does not hold.
  int64_t numbers_past_end() const { return numbers_past_end_; }
  // The line of the first malformed token since the open; 0 when none.
  int64_t first_malformed_line() const { return first_malformed_line_; }

 private:
  // Makes at least `wanted` bytes available after pos_, unless the input
  // ends first. Returns the number of bytes available.
  std::size_t EnsureAvailable(std::size_t wanted) {
    const std::size_t available = end_ - pos_;
    return available >= wanted || input_ended_ ? available : Refill(wanted);
  }
  // Moves what is left to the front of the buffer and reads more.
  std::size_t Refill(std::size_t wanted);
  // Reads a line of `count` common tokens from the buffer alone and moves
  // past it. False, with nothing consumed, for any line that the general
  // rules might read differently, or that does not yet stand in the buffer
  // whole: reading more here could record a read error earlier than the
  // general way would.
  bool ReadCommonLine(int32_t* values, std::size_t count);

  PendingIoError* pending_;
  int fd_ = -1;
  std::unique_ptr<char[]> buffer_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;
  // No more bytes will come: the file ended, a read failed, or a 0x1A byte
  // was met (end_ then stops in front of it).
  bool input_ended_ = true;
  int64_t line_number_ = 1;
  int64_t numbers_past_end_ = 0;
  int64_t first_malformed_line_ = 0;
#if defined(__x86_64__)
  // Whether the processor reads a common line in one look (AVX2).
  bool vector_lines_ = vector_digits::Available();
#endif
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_TEXT_READER_H_
