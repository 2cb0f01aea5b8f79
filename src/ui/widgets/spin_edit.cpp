#include "ui/widgets/spin_edit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace ui {

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent) { SetValue(0); }

QString SpinEdit::Text() const { return lineEdit()->text(); }

void SpinEdit::SetText(const QString& text) { lineEdit()->setText(text); }

int32_t SpinEdit::Value() const {
  bool ok = false;
  const int32_t value = Text().toInt(&ok);
  return ok ? value : 0;
}

void SpinEdit::SetValue(int32_t value) { SetText(QString::number(value)); }

void SpinEdit::stepBy(int steps) {
  // Stepping past the 32-bit range wraps around rather than stopping.
  const uint32_t sum =
      static_cast<uint32_t>(Value()) +
      static_cast<uint32_t>(steps) * static_cast<uint32_t>(increment_);
  SetValue(static_cast<int32_t>(sum));
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
  if (isReadOnly()) return StepNone;
  return StepUpEnabled | StepDownEnabled;
}

void SpinEdit::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
      QAbstractSpinBox::keyPressEvent(event);
      return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      event->accept();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      QApplication::beep();
      emit Refused();
      event->accept();
      return;
    default:
      break;
  }
  if (!Accepts(event->text())) {
    QApplication::beep();
    emit Refused();
    event->accept();
    return;
  }
  QAbstractSpinBox::keyPressEvent(event);
}

bool SpinEdit::Accepts(const QString& typed) const {
  // Control characters (editing keys, shortcuts) are not typing.
  if (typed.isEmpty() || !typed.front().isPrint()) return true;
  const QString separator = locale().decimalPoint();
  for (const QChar c : typed) {
    const bool allowed = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
                         c == QLatin1Char('+') || c == QLatin1Char('-') ||
                         separator.contains(c);
    if (!allowed) return false;
  }
  return true;
}

}  // namespace ui
