#ifndef OBTMIRROR_OBT_BACKGROUND_WRITER_H_
#define OBTMIRROR_OBT_BACKGROUND_WRITER_H_

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

namespace obt {

// Writes one block at a time to a file descriptor on a thread of its own,
// so that the kernel's copying of a large output overlaps the formatting of
// the next block on the other core. The thread starts with the first block
// and ends with Finish.
class BackgroundWriter {
 public:
  BackgroundWriter() = default;
  ~BackgroundWriter() { Finish(); }
  BackgroundWriter(const BackgroundWriter&) = delete;
  BackgroundWriter& operator=(const BackgroundWriter&) = delete;

  // Waits for the block before, then starts writing this one; the caller
  // keeps the bytes untouched until the next Submit, Wait or Finish.
  // Returns the errno of the block before (0 when it was written whole).
  int Submit(int fd, const char* data, std::size_t size);

  // Waits for the block in flight; its errno, or 0.
  int Wait();

  // Waits, then ends the thread. Returns the errno of the last block.
  int Finish();

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread thread_;
  int fd_ = -1;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
  bool busy_ = false;
  bool stopping_ = false;
  int error_ = 0;
};

// Writes all of [data, data + size), going on after short writes and
// interruptions. Returns 0 or the errno of the failing write.
int WriteFully(int fd, const char* data, std::size_t size);

}  // namespace obt

#endif  // OBTMIRROR_OBT_BACKGROUND_WRITER_H_
