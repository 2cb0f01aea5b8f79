#ifndef OBTMIRROR_SAMPLES_OBT_LINES_H_
#define OBTMIRROR_SAMPLES_OBT_LINES_H_

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace obtgen {

// Writes the lines of an OBT file the way the converter itself writes them:
// CR LF after every line, integers in plain decimal separated by one blank.
class ObtLines {
 public:
  explicit ObtLines(const std::string& path);
  ~ObtLines();
  ObtLines(const ObtLines&) = delete;
  ObtLines& operator=(const ObtLines&) = delete;

  // The two header lines of a version 2 file.
  void WriteHeader();
  void WriteNumbers(std::initializer_list<int64_t> numbers);
  // The final line that ends a version 2 file.
  void WriteEnd() { WriteNumbers({0}); }

  // Whether every line reached the file; false also when it never opened.
  bool Close();

 private:
  void WriteText(std::string_view text);

  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

}  // namespace obtgen

#endif  // OBTMIRROR_SAMPLES_OBT_LINES_H_
