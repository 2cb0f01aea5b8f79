#ifndef OBTMIRROR_UI_ERROR_BOX_H_
#define OBTMIRROR_UI_ERROR_BOX_H_

#include <QString>
#include <exception>

#include "obt/io_error.h"
#include "ui/message_boxes.h"

class QWidget;

namespace ui {

// The application's title: the program file's name without its directory
// and without everything from its first "." on, its first letter in upper
// case and all others in lower case ("/usr/bin/obtmirror" -> "Obtmirror").
QString ApplicationTitle(const QString& program_path);

// The box for an error that ended a handler's work: the message and ".",
// an error icon, one OK button, the application's title as caption.
void ShowErrorBox(MessageBoxes& boxes, QWidget* parent, const QString& message);

// Runs a handler's work and shows any error that ends it in the error box,
// so that no exception ever reaches the event loop. The work's own
// clean-up runs by RAII inside it, before the box appears.
template <typename Work>
void RunReportingErrors(MessageBoxes& boxes, QWidget* parent, Work&& work) {
  try {
    work();
  } catch (const obt::IoError& error) {
    ShowErrorBox(boxes, parent,
                 QString::fromStdString(obt::IoErrorMessage(error.code())));
  } catch (const std::exception& error) {
    ShowErrorBox(boxes, parent, QString::fromUtf8(error.what()));
  }
}

}  // namespace ui

#endif  // OBTMIRROR_UI_ERROR_BOX_H_
