#ifndef OBTMIRROR_UI_WIDGETS_OCTANT_PICTURE_H_
#define OBTMIRROR_UI_WIDGETS_OCTANT_PICTURE_H_

#include <QImage>
#include <QWidget>

namespace ui {

// The octant cube behind the eight octant selectors: a 200 x 200 picture
// shown unscaled from its top-left corner and cut to the control's size.
class OctantPicture : public QWidget {
  Q_OBJECT

 public:
  explicit OctantPicture(QWidget* parent = nullptr);

  const QImage& Picture() const { return picture_; }

  // The artwork, drawn anew: a light-grey ground, the cube as a black wire
  // frame in an oblique view with its hidden edges dashed, and a blue axis
  // cross labelled X, Y and Z.
  static QImage DrawCube();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_OCTANT_PICTURE_H_
