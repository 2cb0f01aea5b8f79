#ifndef OBTMIRROR_UI_STATUS_FEEDBACK_H_
#define OBTMIRROR_UI_STATUS_FEEDBACK_H_

#include <cstdint>
#include <string_view>

#include "work/feedback.h"

class QLabel;

namespace ui {

class Gauge;

// The status box as the engine sees it: the status line is the label's
// caption, the gauge shows the progress.
class StatusFeedback final : public work::Feedback {
 public:
  StatusFeedback(QLabel* label, Gauge* gauge) : label_(label), gauge_(gauge) {}

  void SetStatusText(std::string_view text) override;
  // Throws std::invalid_argument for a negative maximum.
  void SetGaugeMaximum(int32_t maximum) override;
  void SetGaugeProgress(int32_t progress) override;

 private:
  QLabel* label_;
  Gauge* gauge_;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_STATUS_FEEDBACK_H_
