#include "ui/widgets/paint_box.h"

#include <QPainter>

namespace ui {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {}

void PaintBox::paintEvent(QPaintEvent*) {
  QPainter canvas(this);
  emit Paint(&canvas);
}

}  // namespace ui
