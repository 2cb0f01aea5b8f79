#ifndef OBTMIRROR_WORK_FEEDBACK_H_
#define OBTMIRROR_WORK_FEEDBACK_H_

#include <cstdint>
#include <string_view>

namespace work {

// What long work reports to whoever watches it: the status line and the
// progress gauge. The window draws these on its status box, the command line
// on a terminal, tests record every call.
class Feedback {
 public:
  virtual ~Feedback() = default;

  virtual void SetStatusText(std::string_view text) = 0;
  virtual void SetGaugeMaximum(int32_t maximum) = 0;
  virtual void SetGaugeProgress(int32_t progress) = 0;
};

// For work that nobody watches.
class NullFeedback final : public Feedback {
 public:
  void SetStatusText(std::string_view) override {}
  void SetGaugeMaximum(int32_t) override {}
  void SetGaugeProgress(int32_t) override {}
};

}  // namespace work

#endif  // OBTMIRROR_WORK_FEEDBACK_H_
