#include "obt/background_writer.h"

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

int BackgroundWriter::Submit(int fd, const char* data, std::size_t size) {
  std::unique_lock lock(mutex_);
  if (!thread_.joinable()) {
    stopping_ = false;
    thread_ = std::thread(&BackgroundWriter::Loop, this);
  }
  changed_.wait(lock, [this] { return !busy_; });
  const int error = error_;
  error_ = 0;
  fd_ = fd;
  data_ = data;
  size_ = size;
  busy_ = true;
  changed_.notify_all();
  return error;
}

int BackgroundWriter::Wait() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !busy_; });
  const int error = error_;
  error_ = 0;
  return error;
}

int BackgroundWriter::Finish() {
  const int error = Wait();
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
  return error;
}

void BackgroundWriter::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return busy_ || stopping_; });
    if (!busy_) return;
    const int fd = fd_;
    const char* data = data_;
    const std::size_t size = size_;
    lock.unlock();
    const int error = WriteFully(fd, data, size);
    lock.lock();
    error_ = error;
    busy_ = false;
    changed_.notify_all();
  }
}

}  // namespace obt
