#include "obt/text_writer.h"

#include <algorithm>
#include <cstring>
#include <exception>

#include "obt/io_error.h"
#include "obt/ordered_output.h"
#include "work/background.h"

namespace obt {

TextWriter::TextWriter(PendingIoError& pending) : pending_(pending) {}

int TextWriter::OpenForWriting(const std::string& path) {
  Abandon();
  write_failed_ = false;
  if (const int error = target_.Open(path); error != 0) {
    pending_.Set(IoCodeFromErrno(error));
    return error;
  }
  if (buffers_.empty()) {
    buffers_ = work::PageBlock(2 * kBufferSize);
    buffer_ = static_cast<char*>(buffers_.data());
    spare_ = buffer_ + kBufferSize;
  }
  return 0;
}

void TextWriter::WriteText(std::string_view bytes) {
  while (!bytes.empty()) {
    Reserve(1);
    const std::size_t take = std::min(bytes.size(), kBufferSize - used_);
    std::memcpy(buffer_ + used_, bytes.data(), take);
    used_ += take;
    bytes.remove_prefix(take);
  }
}

void TextWriter::RecordWriteError(int error) {
  if (error == 0) return;
  write_failed_ = true;
  pending_.Set(IoCodeFromErrno(error));
}

void TextWriter::Flush() {
  const std::size_t size = used_;
  used_ = 0;
  if (!target_.IsOpen()) {
    pending_.Set(kIoFileNotOpen);
    return;
  }
  // After a failed write the output is lost anyway; nothing more goes out.
  if (!write_failed_) {
    RecordWriteError(WriteFully(target_.fd(), buffer_, size));
  }
}

void TextWriter::WriteLines(std::size_t count, std::size_t max_line_length,
                            const LineBlockFormat& format) {
  if (count == 0) return;
  Flush();
  if (write_failed_ || !target_.IsOpen()) return;

  const std::size_t block_lines =
      std::max<std::size_t>(1, kBufferSize / max_line_length);
  const std::size_t blocks = (count + block_lines - 1) / block_lines;
  OrderedOutput output(target_.fd());
  // A format that throws stops both threads: the other would wait for the
  // block for ever. The exception reaches the caller on this thread.
  std::exception_ptr failures[2];
  // With a helper, each thread takes every second block: format it, wait
  // for the block before it to be written, write it; while one thread
  // writes, the other formats. Without one, this thread takes them all.
  const auto take_blocks = [&](std::size_t first_block, std::size_t step,
                               char* buffer) {
    for (std::size_t block = first_block; block < blocks; block += step) {
      const std::size_t first = block * block_lines;
      const std::size_t end = std::min(count, first + block_lines);
      const char* stop = nullptr;
      try {
        stop = format(first, end, buffer);
      } catch (...) {
        failures[first_block] = std::current_exception();
        output.GiveUp();
        return;
      }
      if (!output.Write(block, buffer,
                        static_cast<std::size_t>(stop - buffer))) {
        return;
      }
    }
  };
  {
    // Without a thread to be had: slower, but the same bytes.
    work::Background helper;
    const bool helped =
        blocks > 1 && helper.Start([&] { take_blocks(1, 2, spare_); });
    take_blocks(0, helped ? 2 : 1, buffer_);
  }
  for (const std::exception_ptr& failure : failures) {
    if (failure) {
      // The output lacks blocks: it must never take the target's place.
      write_failed_ = true;
      std::rethrow_exception(failure);
    }
  }
  RecordWriteError(output.error());
}

void TextWriter::CloseTextFile() {
  if (!target_.IsOpen()) {
    pending_.Set(kIoFileNotOpen);
    return;
  }
  Flush();
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
