// The progress gauge: percentages, clamping, refusals and when it redraws.

#include "ui/widgets/gauge.h"

#include <QtTest>
#include <stdexcept>

namespace {

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

}  // namespace

class GaugeTest : public QObject {
  Q_OBJECT

 private slots:
  void progress_data();
  void progress();
  void refusals();
  void redrawsWhenThePercentageChanges();
};

void GaugeTest::progress_data() {
  QTest::addColumn<int>("maximum");
  QTest::addColumn<int>("set");
  QTest::addColumn<int>("progress");
  QTest::addColumn<int>("percent");
  QTest::newRow("at start") << 0 << 0 << 0 << 0;
  QTest::newRow("max equals min") << 0 << 5 << 0 << 0;
  QTest::newRow("a third") << 100 << 33 << 33 << 33;
  QTest::newRow("rounded down") << 3 << 2 << 2 << 66;
  QTest::newRow("full") << 7 << 7 << 7 << 100;
  QTest::newRow("above the maximum") << 100 << 150 << 100 << 100;
  QTest::newRow("below the minimum") << 100 << -5 << 0 << 0;
  QTest::newRow("large range") << 2000000000 << 1999999999 << 1999999999 << 99;
}

void GaugeTest::progress() {
  QFETCH(int, maximum);
  QFETCH(int, set);
  QFETCH(int, progress);
  QFETCH(int, percent);
  ui::Gauge gauge;
  gauge.SetMaxValue(maximum);
  gauge.SetProgress(set);
  QCOMPARE(gauge.Progress(), progress);
  QCOMPARE(gauge.PercentDone(), percent);
}

void GaugeTest::refusals() {
  ui::Gauge gauge;
  gauge.SetMaxValue(100);
  gauge.SetProgress(60);
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, gauge.SetMaxValue(-1));
  QCOMPARE(gauge.MaxValue(), 100);
  QVERIFY_THROWS_EXCEPTION(std::invalid_argument, gauge.SetMinValue(101));
  QCOMPARE(gauge.MinValue(), 0);
  // A lower maximum takes the progress down with it.
  gauge.SetMaxValue(50);
  QCOMPARE(gauge.Progress(), 50);
  QCOMPARE(gauge.PercentDone(), 100);
}

void GaugeTest::redrawsWhenThePercentageChanges() {
  ui::Gauge gauge;
  gauge.resize(519, 17);
  gauge.show();
  QVERIFY(QTest::qWaitForWindowExposed(&gauge));
  PaintCounter counter;
  gauge.installEventFilter(&counter);

  gauge.SetMaxValue(1000);
  QCOMPARE(counter.paints, 1);
  gauge.SetProgress(5);  // still 0 %
  QCOMPARE(counter.paints, 1);
  gauge.SetProgress(10);  // 1 %, drawn at once without an event loop
  QCOMPARE(counter.paints, 2);
  gauge.SetProgress(19);
  QCOMPARE(counter.paints, 2);

  const QImage picture = gauge.grab().toImage();
  QCOMPARE(picture.pixelColor(0, 8), QColor(Qt::black));
  QCOMPARE(picture.pixelColor(2, 2), QColor(Qt::black));
  QCOMPARE(picture.pixelColor(gauge.width() - 3, 2), QColor(Qt::white));
}

QTEST_MAIN(GaugeTest)
#include "gauge_test.moc"
