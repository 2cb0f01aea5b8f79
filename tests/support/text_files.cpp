#include "support/text_files.h"

#include <dirent.h>

#include <stdexcept>

namespace testing_support {

int CountOpenFds() {
  int count = 0;
  DIR* dir = ::opendir("/proc/self/fd");
  // Counts of -1 before and after would hide any leak.
  if (dir == nullptr) throw std::runtime_error("cannot list /proc/self/fd");
  while (const dirent* entry = ::readdir(dir)) {
    if (entry->d_name[0] != '.') ++count;
  }
  ::closedir(dir);
  return count;
}

}  // namespace testing_support
