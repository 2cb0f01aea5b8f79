#ifndef OBTMIRROR_UI_MESSAGE_BOXES_H_
#define OBTMIRROR_UI_MESSAGE_BOXES_H_

#include <QMessageBox>
#include <QString>

class QWidget;

namespace ui {

// One application-modal message box with a single OK button, whose answer
// nobody reads.
struct MessageBoxRequest {
  QString text;
  QString caption;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Where the window's message boxes go. The program shows them; tests put a
// recorder in their place, so no person has to click them away.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  // Returns when the box has been closed.
  virtual void Show(const MessageBoxRequest& request, QWidget* parent) = 0;
};

// Shows each box and waits in its modal loop until it is closed.
class ModalMessageBoxes final : public MessageBoxes {
 public:
  void Show(const MessageBoxRequest& request, QWidget* parent) override;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_MESSAGE_BOXES_H_
