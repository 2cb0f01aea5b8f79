// The window as it stands after start: every control's kind, place, texts,
// hint and state, the frame, the pages, the fonts and the tab order.

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>

#include "ui/widgets/drive_combo_box.h"
#include "ui/widgets/file_list_box.h"
#include "ui/widgets/filter_combo_box.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/tabbed_notebook.h"
#include "window_fixture.h"

namespace {

constexpr int kAnyWidth = -1;
constexpr int kNotCheckable = -1;

// The text a control shows: a caption, a title, the items of a list, a mask.
// The drives differ from machine to machine and are left out.
QString TextOf(const QWidget* control) {
  if (qobject_cast<const ui::DriveComboBox*>(control) != nullptr) {
    return QString();
  }
  if (auto* filter = qobject_cast<const ui::FilterComboBox*>(control)) {
    return filter->Filter();
  }
  if (auto* list = qobject_cast<const QComboBox*>(control)) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items.join(QLatin1Char('|'));
  }
  if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
    return button->text();
  }
  if (auto* box = qobject_cast<const QGroupBox*>(control)) return box->title();
  if (auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (auto* spin = qobject_cast<const ui::SpinEdit*>(control)) {
    return spin->Text();
  }
  if (auto* files = qobject_cast<const ui::FileListBox*>(control)) {
    return files->Mask();
  }
  return QString();
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    fixture_ = std::make_unique<ui_testing::WindowFixture>();
  }
  // A fresh window for every test and every row.
  void init() { form_ = &fixture_->Start(); }
  void cleanupTestCase() { fixture_.reset(); }

  void controls_data();
  void controls();
  void fonts_data();
  void fonts();
  void frame();
  void pages();
  void tabOrder();

 private:
  QWidget* ParentNamed(const QString& name) {
    if (name.startsWith(QLatin1String("page"))) {
      return form_->TabbedNotebook1->widget(name.mid(4).toInt());
    }
    return name == QLatin1String("Form1") ? form_
                                          : form_->findChild<QWidget*>(name);
  }

  std::unique_ptr<ui_testing::WindowFixture> fixture_;
  ui::TForm1* form_ = nullptr;
};

void WindowLayoutTest::controls_data() {
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("parent");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("hint");
  QTest::addColumn<bool>("enabled");
  QTest::addColumn<int>("checked");

  const QString compute_hint = QStringLiteral("Neue 3D - Daten berechnen");
  const QString quit_hint = QStringLiteral("Programm beenden");
  auto row = [](const QByteArray& name, const char* kind, const char* parent,
                QRect geometry, const QString& text = QString(),
                const QString& hint = QString(), bool enabled = true,
                int checked = kNotCheckable) {
    QTest::newRow(name.constData())
        << QString::fromLatin1(kind) << QString::fromLatin1(parent) << geometry
        << text << hint << enabled << checked;
  };

  row("TabbedNotebook1", "QTabWidget", "Form1", QRect(8, 8, 537, 289));
  row("StatusBox", "QGroupBox", "Form1", QRect(8, 304, 537, 63), "Status:");

  row("FileListBox1", "ui::FileListBox", "page0", QRect(16, 24, 113, 153),
      "*.obt");
  row("DirectoryListBox1", "ui::DirectoryListBox", "page0",
      QRect(144, 24, 153, 153));
  row("DriveComboBox1", "ui::DriveComboBox", "page0", QRect(144, 184, 153, 22));
  row("QuelleOK", "QPushButton", "page0", QRect(16, 216, 113, 33), "Berechnen",
      compute_hint, false);
  row("QuelleAbbrechen", "QPushButton", "page0", QRect(144, 216, 105, 33),
      "Beenden", quit_hint);
  row("QuelleHilfe", "QPushButton", "page0", QRect(264, 216, 33, 33), "?",
      "Hilfe");
  row("FilterComboBox1", "ui::FilterComboBox", "page0", QRect(16, 184, 113, 24),
      "OBT-Files|*.obt|Alle Files|*.*");
  row("GroupBox3", "QGroupBox", "page0", QRect(310, 16, 209, 234),
      "Quellposition");
  row("Image2", "ui::OctantPicture", "GroupBox3", QRect(9, 20, 191, 193));

  row("Edit2", "QLineEdit", "page1", QRect(16, 24, 113, 24), "*.obt");
  row("FileListBox2", "ui::FileListBox", "page1", QRect(16, 56, 113, 153),
      "*.obt");
  row("DirectoryListBox2", "ui::DirectoryListBox", "page1",
      QRect(144, 24, 153, 153));
  row("DriveComboBox2", "ui::DriveComboBox", "page1", QRect(144, 184, 153, 22));
  row("ZielOK", "QPushButton", "page1", QRect(16, 216, 113, 33), "Berechnen",
      compute_hint, false);
  row("ZielAbbrechen", "QPushButton", "page1", QRect(144, 216, 97, 33),
      "Beenden", quit_hint);
  row("ZielHilfe", "QPushButton", "page1", QRect(264, 216, 33, 33), "?",
      "Hilfe");
  row("GroupBox2", "QGroupBox", "page1", QRect(310, 16, 209, 234),
      "Zielposition");
  row("Image3", "ui::OctantPicture", "GroupBox2", QRect(9, 20, 191, 193));

  row("GroupBox1", "QGroupBox", "page2", QRect(18, 2, 227, 141),
      "Spiegel-Mittelpunkt");
  row("SonstOK", "QPushButton", "page2", QRect(18, 216, 81, 33), "Berechnen",
      compute_hint, false);
  row("SonstAbbrechen", "QPushButton", "page2", QRect(112, 216, 81, 33),
      "Beenden", quit_hint);
  row("SonstHilfe", "QPushButton", "page2", QRect(208, 216, 33, 33), "?",
      "Hilfe");
  row("Panel1", "QFrame", "page2", QRect(260, 8, 255, 241));
  row("GroupBox4", "QGroupBox", "page2", QRect(18, 150, 225, 55), "Ansicht");
  row("Label1", "QLabel", "GroupBox1", QRect(45, 21, 23, 29), "X:");
  row("Label2", "QLabel", "GroupBox1", QRect(45, 61, 22, 29), "Y:");
  row("Label3", "QLabel", "GroupBox1", QRect(45, 101, 21, 29), "Z:");
  row("MPX", "ui::SpinEdit", "GroupBox1", QRect(94, 22, 89, 26), "0",
      "Mittelpunkt auf X - Achse");
  row("MPY", "ui::SpinEdit", "GroupBox1", QRect(94, 62, 89, 26), "0",
      "Mittelpunkt auf Y - Achse");
  row("MPZ", "ui::SpinEdit", "GroupBox1", QRect(94, 102, 89, 26), "0",
      "Mittelpunkt auf Z - Achse");
  row("GroupBox5", "QGroupBox", "Panel1", QRect(6, 4, 239, 197), "Vorschau");
  row("VorschauComboBox", "QComboBox", "Panel1", QRect(9, 205, 205, 24),
      "Quell - Vorschau|Ziel - Vorschau", "Quell-  oder Zielvorschau", false);
  row("VorschauButton", "QToolButton", "Panel1", QRect(220, 204, 23, 25), "Z",
      "Objekt anzeigen", false);
  row("VorschauPaintBox", "ui::PaintBox", "GroupBox5", QRect(4, 16, 231, 177));
  row("AnsichtComboBox", "QComboBox", "GroupBox4", QRect(10, 21, 205, 24),
      "3D - Ansicht (Standard)|ZX - Ansicht (vorn)|YX - Ansicht (oben)|"
      "ZY - Ansicht (rechts)",
      "aus welcher Ansicht soll Vorschau gezeigt werden?", false);

  row("StatusLabel", "QLabel", "StatusBox", QRect(24, 16, kAnyWidth, 16));
  row("StatusGauge", "ui::Gauge", "StatusBox", QRect(9, 38, 519, 17), "",
      "Fortschrittsanzeige");

  // Each octant's radio button on the source page and check box on the
  // target page, by code; octant 1 is the source and octant 2 the target.
  const QPoint radio_buttons[] = {{10, 196}, {126, 196}, {184, 140}, {68, 138},
                                  {10, 80},  {126, 80},  {186, 22},  {70, 22}};
  const QPoint check_boxes[] = {{12, 200}, {128, 200}, {186, 142}, {70, 140},
                                {10, 80},  {128, 82},  {186, 22},  {70, 22}};
  for (int bit = 0; bit < 8; ++bit) {
    const QByteArray code = QByteArray::number(1 << bit);
    row("RadioButton" + code, "QRadioButton", "GroupBox3",
        QRect(radio_buttons[bit], QSize(16, 21)), "", "", true, bit == 0);
    row("CheckBox" + code, "QCheckBox", "GroupBox2",
        QRect(check_boxes[bit], QSize(16, 17)), "", "", true, bit == 1);
  }
}

void WindowLayoutTest::controls() {
  QFETCH(QString, kind);
  QFETCH(QString, parent);
  QFETCH(QRect, geometry);
  QFETCH(QString, text);
  QFETCH(QString, hint);
  QFETCH(bool, enabled);
  QFETCH(int, checked);

  auto* control =
      form_->findChild<QWidget*>(QString::fromLatin1(QTest::currentDataTag()));
  QVERIFY(control != nullptr);
  QVERIFY2(control->inherits(kind.toLatin1().constData()),
           control->metaObject()->className());
  QCOMPARE(control->parentWidget(), ParentNamed(parent));
  QRect actual = control->geometry();
  if (geometry.width() == kAnyWidth) geometry.setWidth(actual.width());
  QCOMPARE(actual, geometry);
  QCOMPARE(TextOf(control), text);
  QCOMPARE(control->toolTip(), hint);
  QCOMPARE(control->isEnabled(), enabled);
  if (auto* button = qobject_cast<QAbstractButton*>(control);
      button != nullptr && button->isCheckable()) {
    QCOMPARE(int{button->isChecked()}, checked);
  } else {
    QCOMPARE(checked, kNotCheckable);
  }
}

void WindowLayoutTest::fonts_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<int>("pixel_size");
  QTest::addColumn<bool>("bold");
  QTest::newRow("window") << "Form1" << 13 << true;
  QTest::newRow("button") << "QuelleOK" << 13 << true;
  QTest::newRow("status line") << "StatusLabel" << 13 << true;
  QTest::newRow("tabs") << "tabs" << 11 << false;
  QTest::newRow("X") << "Label1" << 24 << true;
  QTest::newRow("Y") << "Label2" << 24 << true;
  QTest::newRow("Z") << "Label3" << 24 << true;
}

void WindowLayoutTest::fonts() {
  QFETCH(QString, control);
  QFETCH(int, pixel_size);
  QFETCH(bool, bold);
  const QWidget* widget = control == QLatin1String("tabs")
                              ? form_->TabbedNotebook1->tabBar()
                              : ParentNamed(control);
  QVERIFY(widget != nullptr);
  QCOMPARE(widget->font().pixelSize(), pixel_size);
  QCOMPARE(widget->font().bold(), bold);
}

void WindowLayoutTest::frame() {
  QCOMPARE(form_->objectName(), QStringLiteral("Form1"));
  QCOMPARE(form_->windowTitle(),
           QStringLiteral("Raytrace-Objekt-Spiegelung für Win95"));
  QCOMPARE(form_->minimumSize(), QSize(550, 373));
  QCOMPARE(form_->maximumSize(), QSize(550, 373));
  const Qt::WindowFlags flags = form_->windowFlags();
  QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
  QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowContextHelpButtonHint));

  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_));
  const QPoint screen_centre = form_->screen()->availableGeometry().center();
  const QPoint window_centre = form_->frameGeometry().center();
  QVERIFY((screen_centre - window_centre).manhattanLength() <= 2);
  QCOMPARE(form_->size(), QSize(550, 373));
}

void WindowLayoutTest::pages() {
  ui::TabbedNotebook* notebook = form_->TabbedNotebook1;
  QCOMPARE(notebook->count(), 3);
  QCOMPARE(notebook->tabText(0), QStringLiteral("Spiegel-Quelle"));
  QCOMPARE(notebook->tabText(1), QStringLiteral("Spiegel-Ziel"));
  QCOMPARE(notebook->tabText(2), QStringLiteral("Sonstiges"));
  QCOMPARE(notebook->currentIndex(), 0);
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_));
  for (int i = 0; i < notebook->count(); ++i) {
    notebook->setCurrentIndex(i);
    QWidget* page = notebook->widget(i);
    QCOMPARE(page->mapTo(notebook, QPoint(0, 0)), QPoint(4, 24));
    QCOMPARE(page->size(), QSize(529, 261));
  }
}

void WindowLayoutTest::tabOrder() {
  const QStringList expected =
      QStringLiteral(
          "FileListBox1 DirectoryListBox1 DriveComboBox1 QuelleOK "
          "QuelleAbbrechen QuelleHilfe FilterComboBox1 RadioButton1 "
          "RadioButton2 RadioButton4 RadioButton8 RadioButton16 RadioButton32 "
          "RadioButton64 RadioButton128 Edit2 FileListBox2 DirectoryListBox2 "
          "DriveComboBox2 ZielOK ZielAbbrechen ZielHilfe CheckBox1 CheckBox2 "
          "CheckBox4 CheckBox8 CheckBox16 CheckBox32 CheckBox64 CheckBox128 "
          "MPX MPY MPZ SonstOK SonstAbbrechen SonstHilfe VorschauComboBox "
          "AnsichtComboBox")
          .split(QLatin1Char(' '));
  QStringList chain;
  for (QWidget* widget = form_->nextInFocusChain(); widget != form_;
       widget = widget->nextInFocusChain()) {
    if ((widget->focusPolicy() & Qt::TabFocus) != 0 &&
        expected.contains(widget->objectName())) {
      chain << widget->objectName();
    }
  }
  QCOMPARE(chain, expected);
  QCOMPARE(form_->VorschauButton->focusPolicy(), Qt::NoFocus);
}

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
