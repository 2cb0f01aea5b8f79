#ifndef OBTMIRROR_TESTS_PREVIEW_PREVIEW_TEST_FILES_H_
#define OBTMIRROR_TESTS_PREVIEW_PREVIEW_TEST_FILES_H_

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "support/recording_feedback.h"
#include "support/temp_dir.h"

namespace preview_test {

using testing_support::ReadFile;
using testing_support::RecordingFeedback;
using testing_support::TempDir;
using testing_support::WriteFile;

using Triple = std::array<int32_t, 3>;

// The front-view object whose points land on (0, 176), (58, 118), (172, 4),
// (230, 176) and (115, 61) of the 231 x 177 box.
inline const std::vector<Triple> kFrontPoints = {
    {0, 0, 0}, {1, 0, 1}, {3, 0, 3}, {4, 0, 0}, {2, 0, 2}};

// A version 2 OBT file with CR LF line ends; every triangle gets the
// FourthValue 7.
inline std::string ObtText(const std::vector<Triple>& points,
                           const std::vector<Triple>& triangles) {
  std::string text = "QZ_OBT\r\n2.000000\r\n";
  auto line = [&text](const Triple& t, std::string_view tail) {
    text += std::to_string(t[0]) + ' ' + std::to_string(t[1]) + ' ' +
            std::to_string(t[2]) + std::string(tail) + "\r\n";
  };
  text += std::to_string(points.size()) + "\r\n";
  for (const Triple& p : points) line(p, "");
  text += std::to_string(triangles.size()) + "\r\n";
  for (const Triple& t : triangles) line(t, " 7");
  return text + "0\r\n";
}

}  // namespace preview_test

#endif  // OBTMIRROR_TESTS_PREVIEW_PREVIEW_TEST_FILES_H_
