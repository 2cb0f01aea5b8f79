#ifndef OBTMIRROR_UI_WIDGETS_PAINT_BOX_H_
#define OBTMIRROR_UI_WIDGETS_PAINT_BOX_H_

#include <QWidget>

class QPainter;

namespace ui {

// A drawing surface with no look of its own: whenever it must be drawn it
// raises Paint with a painter on itself, on which a bitmap can be copied;
// where nothing is drawn the parent's background shows.
class PaintBox : public QWidget {
  Q_OBJECT

 public:
  explicit PaintBox(QWidget* parent = nullptr);

 signals:
  // Only valid while the signal is handled.
  void Paint(QPainter* canvas);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_PAINT_BOX_H_
