#ifndef OBTMIRROR_TESTS_SUPPORT_TEMP_DIR_H_
#define OBTMIRROR_TESTS_SUPPORT_TEMP_DIR_H_

#include <string>
#include <string_view>

namespace testing_support {

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string File(std::string_view name) const;

 private:
  std::string path_;
};

// Both throw when the file cannot be written or read, so that a test fails
// where its file went wrong rather than on what came of it.
void WriteFile(const std::string& path, std::string_view bytes);
std::string ReadFile(const std::string& path);

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_TEMP_DIR_H_
