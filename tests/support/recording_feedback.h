#ifndef OBTMIRROR_TESTS_SUPPORT_RECORDING_FEEDBACK_H_
#define OBTMIRROR_TESTS_SUPPORT_RECORDING_FEEDBACK_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "work/feedback.h"

namespace testing_support {

// Every call in order, as one readable line each: "status <text>",
// "max <n>", "gauge <n>", and "repaint" where a front end would repaint its
// preview.
class RecordingFeedback final : public work::Feedback {
 public:
  void SetStatusText(std::string_view text) override {
    calls.push_back("status " + std::string(text));
  }
  void SetGaugeMaximum(int32_t maximum) override {
    calls.push_back("max " + std::to_string(maximum));
  }
  void SetGaugeProgress(int32_t progress) override {
    calls.push_back("gauge " + std::to_string(progress));
  }
  void Repaint() { calls.push_back("repaint"); }

  std::vector<std::string> calls;
};

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_RECORDING_FEEDBACK_H_
