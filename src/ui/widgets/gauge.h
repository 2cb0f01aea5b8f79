#ifndef OBTMIRROR_UI_WIDGETS_GAUGE_H_
#define OBTMIRROR_UI_WIDGETS_GAUGE_H_

#include <QWidget>
#include <cstdint>

namespace ui {

// A horizontal progress bar, black on white in a single-line border, with
// the whole percentage written across it. The progress is clamped to the
// range; the gauge draws itself again at once when the maximum changes or a
// new progress changes the percentage, so it moves during long work that
// takes no events.
class Gauge : public QWidget {
  Q_OBJECT

 public:
  explicit Gauge(QWidget* parent = nullptr);

  int32_t MinValue() const { return min_value_; }
  int32_t MaxValue() const { return max_value_; }
  int32_t Progress() const { return progress_; }

  // Throws std::invalid_argument for a minimum above the maximum.
  void SetMinValue(int32_t value);
  // Throws std::invalid_argument for a maximum below the minimum.
  void SetMaxValue(int32_t value);
  void SetProgress(int32_t value);

  // 0 to 100, rounded down; 0 while the maximum equals the minimum.
  int PercentDone() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Redraw();

  int32_t min_value_ = 0;
  int32_t max_value_ = 0;
  int32_t progress_ = 0;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_GAUGE_H_
