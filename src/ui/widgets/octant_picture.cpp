#include "ui/widgets/octant_picture.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <cmath>

namespace ui {
namespace {

constexpr int kPictureSize = 200;
// The back face is the front face moved this far right and up.
constexpr int kDepth = 59;
constexpr QRgb kGround = qRgb(192, 192, 192);
constexpr QRgb kAxisColour = qRgb(0, 0, 255);

void DrawArrow(QPainter& painter, QPointF from, QPointF to) {
  constexpr double kHeadLength = 7.0;
  constexpr double kHeadAngle = 0.45;
  painter.drawLine(from, to);
  const double angle = std::atan2(from.y() - to.y(), from.x() - to.x());
  QPolygonF head;
  head << to
       << to + QPointF(kHeadLength * std::cos(angle + kHeadAngle),
                       kHeadLength * std::sin(angle + kHeadAngle))
       << to + QPointF(kHeadLength * std::cos(angle - kHeadAngle),
                       kHeadLength * std::sin(angle - kHeadAngle));
  painter.drawPolygon(head);
}

}  // namespace

OctantPicture::OctantPicture(QWidget* parent)
    : QWidget(parent), picture_(DrawCube()) {}

QImage OctantPicture::DrawCube() {
  QImage image(kPictureSize, kPictureSize, QImage::Format_RGB32);
  image.fill(QColor(kGround));
  QPainter painter(&image);
  // Hard edges only: the picture keeps to a few plain colours.
  painter.setRenderHint(QPainter::Antialiasing, false);

  const QPoint front_top_left(9, 70);
  const QPoint front_top_right(126, 70);
  const QPoint front_bottom_left(9, 187);
  const QPoint front_bottom_right(126, 187);
  const QPoint depth(kDepth, -kDepth);
  const QPoint back_top_left = front_top_left + depth;
  const QPoint back_top_right = front_top_right + depth;
  const QPoint back_bottom_left = front_bottom_left + depth;
  const QPoint back_bottom_right = front_bottom_right + depth;

  QPen solid(Qt::black, 1);
  painter.setPen(solid);
  painter.drawLine(front_top_left, front_top_right);
  painter.drawLine(front_top_right, front_bottom_right);
  painter.drawLine(front_bottom_right, front_bottom_left);
  painter.drawLine(front_bottom_left, front_top_left);
  painter.drawLine(back_top_left, back_top_right);
  painter.drawLine(back_top_right, back_bottom_right);
  painter.drawLine(front_top_left, back_top_left);
  painter.drawLine(front_top_right, back_top_right);
  painter.drawLine(front_bottom_right, back_bottom_right);

  // The three edges behind the cube meet at its back bottom left corner.
  QPen dashed(Qt::black, 1);
  dashed.setDashPattern({4, 4});
  painter.setPen(dashed);
  painter.drawLine(back_bottom_left, back_bottom_right);
  painter.drawLine(back_bottom_left, back_top_left);
  painter.drawLine(back_bottom_left, front_bottom_left);

  const QPointF origin(77, 118);
  painter.setPen(QPen(QColor(kAxisColour), 1));
  painter.setBrush(QColor(kAxisColour));
  DrawArrow(painter, origin, QPointF(117, 118));
  DrawArrow(painter, origin, QPointF(100, 95));
  DrawArrow(painter, origin, QPointF(77, 79));

  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(13);
  font.setBold(true);
  font.setStyleStrategy(QFont::NoAntialias);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QRect(120, 111, 14, 14), Qt::AlignCenter,
                   QStringLiteral("X"));
  painter.drawText(QRect(102, 81, 14, 14), Qt::AlignCenter,
                   QStringLiteral("Y"));
  painter.drawText(QRect(70, 63, 14, 14), Qt::AlignCenter, QStringLiteral("Z"));
  return image;
}

void OctantPicture::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(QPoint(0, 0), picture_);
}

}  // namespace ui
