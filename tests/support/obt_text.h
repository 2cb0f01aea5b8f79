#ifndef OBTMIRROR_TESTS_SUPPORT_OBT_TEXT_H_
#define OBTMIRROR_TESTS_SUPPORT_OBT_TEXT_H_

#include <string>
#include <vector>

namespace testing_support {

// The OBT file of version 1 or 2 that holds these points ("x y z") and
// triangles ("a b c v"), each line as it stands: magic, version, each list
// after its count and, in version 2, the closing "0", CR LF after every
// line. Points start on line 4, triangles on line 5 + the point count.
// Text after the end is added with CrLf; a file that breaks the layout is
// spelled line by line with CrLf.
std::string ObtText(int version, const std::vector<std::string>& points,
                    const std::vector<std::string>& triangles = {});

// Numbers joined with blanks, as one point or triangle line.
template <typename... Numbers>
std::string ObtLine(Numbers... numbers) {
  std::string line;
  ((line += (line.empty() ? "" : " ") + std::to_string(numbers)), ...);
  return line;
}

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_OBT_TEXT_H_
