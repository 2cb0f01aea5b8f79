#include "obt/ordered_output.h"

#include <unistd.h>

#include <cerrno>

namespace obt {

int WriteFully(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return errno;
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return 0;
}

bool OrderedOutput::Write(std::size_t turn, const char* data,
                          std::size_t size) {
  std::unique_lock lock(mutex_);
  turn_done_.wait(
      lock, [&] { return next_turn_ == turn || error_ != 0 || given_up_; });
  if (error_ != 0 || given_up_) return false;
  // Only the block whose turn it is gets here, so the write itself needs
  // no lock; the blocks after it wait for next_turn_.
  lock.unlock();
  const int error = WriteFully(fd_, data, size);
  lock.lock();
  if (error != 0) {
    error_ = error;
  } else {
    ++next_turn_;
  }
  turn_done_.notify_all();
  return error == 0;
}

void OrderedOutput::GiveUp() {
  const std::lock_guard lock(mutex_);
  given_up_ = true;
  turn_done_.notify_all();
}

int OrderedOutput::error() {
  const std::lock_guard lock(mutex_);
  return error_;
}

}  // namespace obt
