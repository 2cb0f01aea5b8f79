// The octant cube: where its lines lie, which are dashed, and how the
// picture is cut by its control.

#include "ui/widgets/octant_picture.h"

#include <QtTest>

namespace {

const QColor kGround(192, 192, 192);

// How many pixels on the straight line from one point to another have the
// colour.
int CountOnLine(const QImage& image, QPoint from, QPoint to,
                const QColor& colour) {
  const int steps =
      std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y()));
  int count = 0;
  for (int i = 0; i <= steps; ++i) {
    const QPoint point(from.x() + (to.x() - from.x()) * i / steps,
                       from.y() + (to.y() - from.y()) * i / steps);
    if (image.pixelColor(point) == colour) ++count;
  }
  return count;
}

}  // namespace

class OctantPictureTest : public QObject {
  Q_OBJECT

 private slots:
  void edges_data();
  void edges();
  void axisCross();
  void shownUnscaledAndCut();
};

void OctantPictureTest::edges_data() {
  QTest::addColumn<QPoint>("from");
  QTest::addColumn<QPoint>("to");
  QTest::addColumn<bool>("dashed");
  QTest::newRow("front top") << QPoint(9, 70) << QPoint(126, 70) << false;
  QTest::newRow("front left") << QPoint(9, 70) << QPoint(9, 187) << false;
  QTest::newRow("front bottom") << QPoint(9, 187) << QPoint(126, 187) << false;
  QTest::newRow("front right") << QPoint(126, 70) << QPoint(126, 187) << false;
  QTest::newRow("back top") << QPoint(68, 11) << QPoint(185, 11) << false;
  QTest::newRow("back right") << QPoint(185, 11) << QPoint(185, 128) << false;
  QTest::newRow("top left depth") << QPoint(9, 70) << QPoint(68, 11) << false;
  QTest::newRow("bottom right depth")
      << QPoint(126, 187) << QPoint(185, 128) << false;
  QTest::newRow("hidden back bottom")
      << QPoint(68, 128) << QPoint(185, 128) << true;
  QTest::newRow("hidden back left")
      << QPoint(68, 11) << QPoint(68, 128) << true;
  QTest::newRow("hidden bottom left depth")
      << QPoint(9, 187) << QPoint(68, 128) << true;
}

void OctantPictureTest::edges() {
  QFETCH(QPoint, from);
  QFETCH(QPoint, to);
  QFETCH(bool, dashed);
  const QImage cube = ui::OctantPicture::DrawCube();
  QCOMPARE(cube.size(), QSize(200, 200));
  const int length =
      std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) + 1;
  const int black = CountOnLine(cube, from, to, Qt::black);
  if (dashed) {
    QVERIFY2(black > length / 4 && black < length * 3 / 4,
             qPrintable(QString::number(black)));
  } else {
    QVERIFY2(black >= length - 2, qPrintable(QString::number(black)));
  }
}

void OctantPictureTest::axisCross() {
  const QImage cube = ui::OctantPicture::DrawCube();
  const QColor blue(0, 0, 255);
  QCOMPARE(cube.pixelColor(0, 0), kGround);
  QCOMPARE(cube.pixelColor(199, 199), kGround);
  QVERIFY(CountOnLine(cube, QPoint(77, 118), QPoint(110, 118), blue) >= 33);
  QVERIFY(CountOnLine(cube, QPoint(77, 118), QPoint(77, 86), blue) >= 32);
  QVERIFY(CountOnLine(cube, QPoint(79, 116), QPoint(95, 100), blue) >= 14);
}

void OctantPictureTest::shownUnscaledAndCut() {
  QWidget parent;
  parent.resize(300, 300);
  parent.setStyleSheet("background: white");
  ui::OctantPicture picture(&parent);
  picture.setGeometry(0, 0, 191, 193);
  parent.show();
  QVERIFY(QTest::qWaitForWindowExposed(&parent));
  const QImage shown = parent.grab().toImage();
  const QImage cube = ui::OctantPicture::DrawCube();
  QCOMPARE(shown.pixelColor(9, 70), cube.pixelColor(9, 70));
  QCOMPARE(shown.pixelColor(126, 187), QColor(Qt::black));
  QCOMPARE(shown.pixelColor(190, 50), kGround);
  // The right 9 columns and bottom 7 rows of the picture are cut off.
  QCOMPARE(shown.pixelColor(191, 50), QColor(Qt::white));
  QCOMPARE(shown.pixelColor(50, 193), QColor(Qt::white));
}

QTEST_MAIN(OctantPictureTest)
#include "octant_picture_test.moc"
