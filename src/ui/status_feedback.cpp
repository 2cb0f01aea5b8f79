#include "ui/status_feedback.h"

#include <QLabel>

#include "ui/widgets/gauge.h"

namespace ui {
namespace {

constexpr int kStatusLineHeight = 16;

}  // namespace

void StatusFeedback::SetStatusText(std::string_view text) {
  label_->setText(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  // The status line is as wide as its text.
  label_->resize(label_->sizeHint().width(), kStatusLineHeight);
  // Work that reports here takes no events until it ends.
  if (label_->isVisible()) label_->repaint();
}

void StatusFeedback::SetGaugeMaximum(int32_t maximum) {
  gauge_->SetMaxValue(maximum);
}

void StatusFeedback::SetGaugeProgress(int32_t progress) {
  gauge_->SetProgress(progress);
}

}  // namespace ui
