#ifndef OBTMIRROR_UI_WIDGETS_SPIN_EDIT_H_
#define OBTMIRROR_UI_WIDGETS_SPIN_EDIT_H_

#include <QAbstractSpinBox>
#include <QString>
#include <cstdint>

namespace ui {

// An edit with up and down buttons. Its text is kept as typed: only digits,
// "+", "-" and the locale's decimal separator can be typed, anything else
// and Enter are refused with a beep. The buttons and the Up and Down keys
// add or subtract the step to the text's integer value (a text that is no
// integer counts as 0) and write the sum back as an integer, unclamped.
class SpinEdit : public QAbstractSpinBox {
  Q_OBJECT

 public:
  explicit SpinEdit(QWidget* parent = nullptr);

  QString Text() const;
  void SetText(const QString& text);

  int32_t Value() const;
  void SetValue(int32_t value);

  int32_t Increment() const { return increment_; }
  void SetIncrement(int32_t increment) { increment_ = increment; }

  void stepBy(int steps) override;

 signals:
  // A key was refused (after the beep).
  void Refused();

 protected:
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool Accepts(const QString& typed) const;

  int32_t increment_ = 10;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_SPIN_EDIT_H_
