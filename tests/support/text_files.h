#ifndef OBTMIRROR_TESTS_SUPPORT_TEXT_FILES_H_
#define OBTMIRROR_TESTS_SUPPORT_TEXT_FILES_H_

#include <initializer_list>
#include <string>
#include <string_view>

#include "support/obt_text.h"

namespace testing_support {

// Lines joined with CR LF, the last one included.
inline std::string CrLf(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (const std::string_view line : lines) {
    text.append(line);
    text.append("\r\n");
  }
  return text;
}

// One point and one triangle, and what a run into octant 2 makes of it.
inline const std::string kTinySource = ObtText(2, {"1 2 3"}, {"0 0 0 1"});
inline const std::string kTinySourceMirroredOnX =
    ObtText(2, {"1 2 3", "-1 2 3"}, {"0 0 0 1", "1 1 1 1"});

// How many file descriptors the process holds open right now.
int CountOpenFds();

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_TEXT_FILES_H_
