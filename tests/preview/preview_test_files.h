#ifndef OBTMIRROR_TESTS_PREVIEW_PREVIEW_TEST_FILES_H_
#define OBTMIRROR_TESTS_PREVIEW_PREVIEW_TEST_FILES_H_

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "support/obt_text.h"
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

// A version 2 OBT file; every triangle gets the FourthValue 7.
inline std::string ObtText(const std::vector<Triple>& points,
                           const std::vector<Triple>& triangles) {
  using testing_support::ObtLine;
  std::vector<std::string> point_lines;
  std::vector<std::string> triangle_lines;
  for (const Triple& p : points) {
    point_lines.push_back(ObtLine(p[0], p[1], p[2]));
  }
  for (const Triple& t : triangles) {
    triangle_lines.push_back(ObtLine(t[0], t[1], t[2], 7));
  }
  return testing_support::ObtText(2, point_lines, triangle_lines);
}

}  // namespace preview_test

#endif  // OBTMIRROR_TESTS_PREVIEW_PREVIEW_TEST_FILES_H_
