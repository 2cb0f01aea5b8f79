#ifndef OBTMIRROR_TESTS_OBT_TEST_FILES_H_
#define OBTMIRROR_TESTS_OBT_TEST_FILES_H_

#include <filesystem>
#include <string>
#include <vector>

#include "support/obt_text.h"
#include "support/recording_feedback.h"
#include "support/temp_dir.h"
#include "support/text_files.h"

namespace obt_test {

using testing_support::CountOpenFds;
using testing_support::CrLf;
using testing_support::kTinySource;
using testing_support::kTinySourceMirroredOnX;
using testing_support::ObtLine;
using testing_support::ObtText;
using testing_support::ReadFile;
using testing_support::RecordingFeedback;
using testing_support::TempDir;
using testing_support::WriteFile;

// Names in the directory that a run left while writing its output.
inline std::vector<std::string> UnfinishedFiles(const TempDir& dir) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    const std::string name = entry.path().filename().string();
    if (name.find(".obtmirror-unfinished-") != std::string::npos) {
      found.push_back(name);
    }
  }
  return found;
}

}  // namespace obt_test

#endif  // OBTMIRROR_TESTS_OBT_TEST_FILES_H_
