#ifndef OBTMIRROR_UI_CONTROL_SETUP_H_
#define OBTMIRROR_UI_CONTROL_SETUP_H_

#include <QGroupBox>
#include <QLatin1String>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace ui {

// Every control sits at a fixed place in its parent: the window is laid out
// in pixels, not by layouts.
template <typename Control>
Control* MakeControl(QWidget* parent, const char* name, const QRect& place) {
  auto* control = new Control(parent);
  control->setObjectName(QLatin1String(name));
  control->setGeometry(place);
  return control;
}

inline QPushButton* MakeButton(QWidget* parent, const char* name,
                               const QRect& place, const QString& caption,
                               const QString& hint) {
  auto* button = MakeControl<QPushButton>(parent, name, place);
  button->setText(caption);
  button->setToolTip(hint);
  return button;
}

inline QGroupBox* MakeGroupBox(QWidget* parent, const char* name,
                               const QRect& place, const QString& caption) {
  auto* box = MakeControl<QGroupBox>(parent, name, place);
  box->setTitle(caption);
  return box;
}

}  // namespace ui

#endif  // OBTMIRROR_UI_CONTROL_SETUP_H_
