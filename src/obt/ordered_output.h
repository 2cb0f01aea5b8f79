#ifndef OBTMIRROR_OBT_ORDERED_OUTPUT_H_
#define OBTMIRROR_OBT_ORDERED_OUTPUT_H_

#include <condition_variable>
#include <cstddef>
#include <mutex>

namespace obt {

// Writes numbered blocks to one file descriptor strictly in the order of
// their numbers, whichever thread brings them: block n waits until blocks 0
// to n - 1 are written. After the first failing write nothing more is
// written, and every waiting block gives up.
class OrderedOutput {
 public:
  explicit OrderedOutput(int fd) : fd_(fd) {}
  OrderedOutput(const OrderedOutput&) = delete;
  OrderedOutput& operator=(const OrderedOutput&) = delete;

  // Writes block `turn` (each of 0, 1, 2, ... exactly once) after the one
  // before it. False when this write or an earlier one failed.
  bool Write(std::size_t turn, const char* data, std::size_t size);

  // The errno of the failed write, or 0.
  int error();

  // Ends the output without a failed write (a block could not be made):
  // nothing more is written, and every waiting block gives up.
  void GiveUp();

 private:
  const int fd_;
  std::mutex mutex_;
  std::condition_variable turn_done_;
  std::size_t next_turn_ = 0;
  int error_ = 0;
  bool given_up_ = false;
};

// Writes all of [data, data + size), going on after short writes and
// interruptions. Returns 0 or the errno of the failing write.
int WriteFully(int fd, const char* data, std::size_t size);

}  // namespace obt

#endif  // OBTMIRROR_OBT_ORDERED_OUTPUT_H_
