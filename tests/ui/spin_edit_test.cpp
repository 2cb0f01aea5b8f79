// The mirror centre's spin edits: what may be typed and how they step.

#include "ui/widgets/spin_edit.h"

#include <QSignalSpy>
#include <QtTest>

class SpinEditTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { edit_.reset(); }

  void typing_data();
  void typing();
  void stepping_data();
  void stepping();
  void arrowButtons();

 private:
  std::unique_ptr<ui::SpinEdit> edit_;
};

void SpinEditTest::init() {
  edit_ = std::make_unique<ui::SpinEdit>();
  edit_->setLocale(QLocale(QLocale::German));
  edit_->resize(89, 26);
  edit_->show();
  QVERIFY(QTest::qWaitForWindowExposed(edit_.get()));
  edit_->SetText(QString());
}

void SpinEditTest::typing_data() {
  QTest::addColumn<QString>("keys");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("refused");
  QTest::newRow("digits and signs") << "+-0189"
                                    << "+-0189" << 0;
  QTest::newRow("the locale's decimal separator") << "1,5"
                                                  << "1,5" << 0;
  QTest::newRow("another separator") << "1.5"
                                     << "15" << 1;
  QTest::newRow("letters") << "1a2B"
                           << "12" << 2;
  QTest::newRow("blank and symbols") << " 7$x"
                                     << "7" << 3;
}

void SpinEditTest::typing() {
  QFETCH(QString, keys);
  QFETCH(QString, text);
  QFETCH(int, refused);
  QSignalSpy refusals(edit_.get(), &ui::SpinEdit::Refused);
  QTest::keyClicks(edit_.get(), keys);
  QCOMPARE(edit_->Text(), text);
  QCOMPARE(refusals.count(), refused);
}

void SpinEditTest::stepping_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("result");
  QTest::newRow("7 up") << "7" << int{Qt::Key_Up} << "17";
  QTest::newRow("-3 up") << "-3" << int{Qt::Key_Up} << "7";
  QTest::newRow("7 down") << "7" << int{Qt::Key_Down} << "-3";
  QTest::newRow("+5 up") << "+5" << int{Qt::Key_Up} << "15";
  QTest::newRow("not an integer counts as 0")
      << "1,5" << int{Qt::Key_Up} << "10";
  QTest::newRow("empty counts as 0") << "" << int{Qt::Key_Down} << "-10";
  QTest::newRow("no upper bound")
      << "2147483640" << int{Qt::Key_Up} << "-2147483646";
  QTest::newRow("page keys do not step") << "7" << int{Qt::Key_PageUp} << "7";
}

void SpinEditTest::stepping() {
  QFETCH(QString, text);
  QFETCH(int, key);
  QFETCH(QString, result);
  edit_->SetText(text);
  QTest::keyClick(edit_.get(), static_cast<Qt::Key>(key));
  QCOMPARE(edit_->Text(), result);
}

void SpinEditTest::arrowButtons() {
  QSignalSpy refusals(edit_.get(), &ui::SpinEdit::Refused);
  edit_->SetText("7");
  const QPoint up_button(edit_->width() - 6, 6);
  const QPoint down_button(edit_->width() - 6, edit_->height() - 6);
  QTest::mouseClick(edit_.get(), Qt::LeftButton, {}, up_button);
  QCOMPARE(edit_->Text(), QStringLiteral("17"));
  QTest::mouseClick(edit_.get(), Qt::LeftButton, {}, down_button);
  QTest::mouseClick(edit_.get(), Qt::LeftButton, {}, down_button);
  QCOMPARE(edit_->Text(), QStringLiteral("-3"));
  QTest::keyClick(edit_.get(), Qt::Key_Return);
  QCOMPARE(refusals.count(), 1);
  QCOMPARE(edit_->Text(), QStringLiteral("-3"));
}

QTEST_MAIN(SpinEditTest)
#include "spin_edit_test.moc"
