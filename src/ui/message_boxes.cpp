#include "ui/message_boxes.h"

namespace ui {

void ModalMessageBoxes::Show(const MessageBoxRequest& request,
                             QWidget* parent) {
  QMessageBox box(request.icon, request.caption, request.text, QMessageBox::Ok,
                  parent);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

}  // namespace ui
