#include "ui/widgets/gauge.h"

#include <QPainter>
#include <algorithm>
#include <stdexcept>

namespace ui {
namespace {

constexpr char kInvalidRange[] = "Ungültiger Wert für die Fortschrittsanzeige";

}  // namespace

Gauge::Gauge(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void Gauge::SetMinValue(int32_t value) {
  if (value == min_value_) return;
  if (value > max_value_) throw std::invalid_argument(kInvalidRange);
  min_value_ = value;
  progress_ = std::max(progress_, min_value_);
  Redraw();
}

void Gauge::SetMaxValue(int32_t value) {
  if (value == max_value_) return;
  if (value < min_value_) throw std::invalid_argument(kInvalidRange);
  max_value_ = value;
  progress_ = std::min(progress_, max_value_);
  Redraw();
}

void Gauge::SetProgress(int32_t value) {
  const int percent_before = PercentDone();
  value = std::clamp(value, min_value_, max_value_);
  if (value == progress_) return;
  progress_ = value;
  if (PercentDone() != percent_before) Redraw();
}

int Gauge::PercentDone() const {
  const int64_t range = int64_t{max_value_} - min_value_;
  if (range == 0) return 0;
  return static_cast<int>((int64_t{progress_} - min_value_) * 100 / range);
}

void Gauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  const QRect inside = rect().adjusted(1, 1, -1, -1);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::white);
  painter.drawRect(frame);

  const int filled = inside.width() * PercentDone() / 100;
  const QRect bar(inside.topLeft(), QSize(filled, inside.height()));
  painter.fillRect(bar, Qt::black);

  // The text is white where it lies on the bar and black elsewhere.
  const QString text = QString::number(PercentDone()) + QLatin1Char('%');
  painter.setClipRect(inside);
  painter.setPen(Qt::black);
  painter.drawText(inside, Qt::AlignCenter, text);
  painter.setClipRect(bar);
  painter.setPen(Qt::white);
  painter.drawText(inside, Qt::AlignCenter, text);
}

void Gauge::Redraw() {
  if (isVisible()) repaint();
}

}  // namespace ui
