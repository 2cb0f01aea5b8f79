// The window's handlers: which controls follow the user's choices, the
// compute buttons, the error box, help and quitting.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "ui/error_box.h"
#include "ui/widgets/directory_list_box.h"
#include "ui/widgets/file_list_box.h"
#include "ui/widgets/filter_combo_box.h"
#include "ui/widgets/gauge.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/tabbed_notebook.h"
#include "window_fixture.h"

namespace {

using ui_testing::Choose;
using ui_testing::kCommaSource;
using ui_testing::kNotObt;
using ui_testing::ReadFile;
using ui_testing::Select;

constexpr char kSource[] =
    "QZ_OBT\r\n1.000000\r\n3\r\n0 0 0\r\n10 0 0\r\n0 10 5\r\n1\r\n"
    "0 1 2 7\r\n";

QString State(std::initializer_list<QWidget*> group) {
  int enabled = 0;
  for (QWidget* control : group) enabled += control->isEnabled() ? 1 : 0;
  if (enabled == 0) return QStringLiteral("off");
  return enabled == static_cast<int>(group.size()) ? QStringLiteral("on")
                                                   : QStringLiteral("mixed");
}

// The three groups that the handlers switch, as one line.
QString Groups(const ui::TForm1& form) {
  return QStringLiteral("compute %1, preview %2, work %3")
      .arg(State({form.QuelleOK, form.ZielOK, form.SonstOK}),
           State({form.VorschauButton, form.VorschauComboBox,
                  form.AnsichtComboBox}),
           State({form.QuelleAbbrechen, form.ZielAbbrechen, form.SonstAbbrechen,
                  form.QuelleHilfe, form.ZielHilfe, form.SonstHilfe, form.MPX,
                  form.MPY, form.MPZ}));
}

// Shows the page that holds the button and clicks it with the mouse.
void ClickOnItsPage(ui::TForm1& form, QAbstractButton* button) {
  for (int i = 0; i < form.TabbedNotebook1->count(); ++i) {
    if (form.TabbedNotebook1->widget(i)->isAncestorOf(button)) {
      form.TabbedNotebook1->setCurrentIndex(i);
    }
  }
  QTest::mouseClick(button, Qt::LeftButton);
}

}  // namespace

class WindowControllerTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { fixture_.reset(); }

  void enabling_data();
  void enabling();
  void computeFromEachButton_data();
  void computeFromEachButton();
  void reportedFailures_data();
  void reportedFailures();
  void errorBoxForACommaInAPointLine();
  void targetInTheRootDirectory();
  void runInputsFromTheControls();
  void sourceDeletedAfterListing();
  void targetNameTypingLimit();
  void enterAndEscPressNoButton();
  void helpDoesNothing();
  void quitting();
  void applicationTitle_data();
  void applicationTitle();
  void realErrorBox();

 private:
  ui::TForm1& form() { return fixture_->form(); }
  [[nodiscard]] bool Step(const QString& step);

  std::unique_ptr<ui_testing::WindowFixture> fixture_;
};

void WindowControllerTest::init() {
  fixture_ = std::make_unique<ui_testing::WindowFixture>();
  QVERIFY(ui_testing::WriteFiles(fixture_->directory(),
                                 {{"quelle.obt", kSource},
                                  {"komma.obt", kCommaSource},
                                  {"kaputt.obt", kNotObt},
                                  {"ziel.obt", "old"}}));
  QVERIFY(QDir(fixture_->directory()).mkdir("sub"));
  fixture_->Start().show();
  QVERIFY(QTest::qWaitForWindowExposed(&form()));
}

// One user action: "source NAME", "type TEXT", "clear", "pick NAME" (in the
// target list), "all files", "source dir sub", "target dir sub".
bool WindowControllerTest::Step(const QString& step) {
  const QString verb = step.section(' ', 0, 0);
  const QString argument = step.section(' ', 1);
  if (step == "all files") return Choose(form().FilterComboBox1, 1);
  if (step == "source dir sub" || step == "target dir sub") {
    ui::DirectoryListBox* list = step.startsWith("source")
                                     ? form().DirectoryListBox1
                                     : form().DirectoryListBox2;
    list->SetDirectory(fixture_->Path("sub"));
    return list->Directory() == fixture_->Path("sub");
  }
  if (verb == "source") return Select(form().FileListBox1, argument);
  if (verb == "pick") return Select(form().FileListBox2, argument);
  // Typed as a user does: the edit gets the focus first.
  form().Edit2->setFocus();
  if (verb == "type") {
    QTest::keyClicks(form().Edit2, argument);
    return form().Edit2->text().endsWith(argument);
  }
  if (verb == "clear") {
    form().Edit2->selectAll();
    QTest::keyClick(form().Edit2, Qt::Key_Backspace);
    return form().Edit2->text().isEmpty();
  }
  qWarning("unknown step %s", qPrintable(step));
  return false;
}

void WindowControllerTest::enabling_data() {
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<QString>("groups");
  QTest::addColumn<QString>("edit");
  auto row = [](const char* name, const QStringList& steps, const char* groups,
                const char* edit) {
    QTest::newRow(name) << steps << QString(groups) << QString(edit);
  };
  row("start", {}, "compute off, preview off, work on", "*.obt");
  row("source alone", {"source quelle.obt"}, "compute off, preview on, work on",
      "*.obt");
  row("source, then a name typed", {"source quelle.obt", "type neu.obt"},
      "compute on, preview on, work on", "neu.obt");
  row("name typed, then source", {"type neu.obt", "source quelle.obt"},
      "compute off, preview on, work on", "neu.obt");
  row("name typed, source, one more character",
      {"type neu.obt", "source quelle.obt", "type x"},
      "compute on, preview on, work on", "neu.obtx");
  row("name typed without a source", {"type neu.obt"},
      "compute off, preview off, work on", "neu.obt");
  row("Edit2 emptied", {"source quelle.obt", "type neu.obt", "clear"},
      "compute off, preview off, work on", "");
  row("target picked in its list", {"source quelle.obt", "pick ziel.obt"},
      "compute on, preview on, work on", "ziel.obt");
  row("target list moved writes the mask back",
      {"source quelle.obt", "pick ziel.obt", "target dir sub"},
      "compute on, preview on, work on", "*.obt");
  row("filter refills the source list",
      {"source quelle.obt", "type neu.obt", "all files"},
      "compute on, preview off, work on", "neu.obt");
  row("source list moved",
      {"source quelle.obt", "type neu.obt", "source dir sub"},
      "compute on, preview off, work on", "neu.obt");
  row("source chosen again after a refill",
      {"source quelle.obt", "type neu.obt", "all files", "source quelle.obt"},
      "compute on, preview on, work on", "neu.obt");
}

void WindowControllerTest::enabling() {
  QFETCH(QStringList, steps);
  QFETCH(QString, groups);
  QFETCH(QString, edit);
  for (const QString& step : steps) QVERIFY2(Step(step), qPrintable(step));
  QCOMPARE(Groups(form()), groups);
  QCOMPARE(form().Edit2->text(), edit);
  QCOMPARE(form().VorschauComboBox->currentIndex(), 0);
  QCOMPARE(form().AnsichtComboBox->currentIndex(), 0);
}

void WindowControllerTest::computeFromEachButton_data() {
  QTest::addColumn<QString>("button");
  QTest::newRow("source page") << "QuelleOK";
  QTest::newRow("target page") << "ZielOK";
  QTest::newRow("misc page") << "SonstOK";
}

void WindowControllerTest::computeFromEachButton() {
  QFETCH(QString, button);
  QVERIFY(Step("source quelle.obt"));
  QVERIFY(Step("clear"));
  QVERIFY(Step("type neu.obt"));
  auto* compute = form().findChild<QPushButton*>(button);
  QVERIFY(compute != nullptr);
  ClickOnItsPage(form(), compute);

  QByteArray written;
  QVERIFY(ReadFile(fixture_->Path("neu.obt"), written));
  QVERIFY2(written.startsWith("QZ_OBT\r\n1.000000\r\n6\r\n0 0 0\r\n"),
           written.constData());
  QVERIFY(written.contains("\r\n2\r\n0 1 2 7\r\n"));
  QCOMPARE(form().StatusLabel->text(),
           QStringLiteral("Berechnung der 3D-Daten erfolgreich beendet"));
  QCOMPARE(form().StatusLabel->width(), form().StatusLabel->sizeHint().width());
  QCOMPARE(form().StatusGauge->MaxValue(), 100);
  QCOMPARE(form().StatusGauge->Progress(), 0);
  QCOMPARE(Groups(form()), QStringLiteral("compute on, preview on, work on"));
  QVERIFY(fixture_->boxes().shown.empty());
}

void WindowControllerTest::reportedFailures_data() {
  QTest::addColumn<QStringList>("steps");
  QTest::addColumn<QString>("status");
  const QString name_error = QStringLiteral("Fehler in Dateinamen aufgetreten");
  QTest::newRow("no source after a refill")
      << QStringList{"source quelle.obt", "type neu.obt", "all files"}
      << name_error;
  QTest::newRow("the mask as target name")
      << QStringList{"source quelle.obt", "pick ziel.obt", "target dir sub"}
      << name_error;
  QTest::newRow("the source as target")
      << QStringList{"source quelle.obt", "pick quelle.obt"} << name_error;
  QTest::newRow("not an OBT file")
      << QStringList{"source kaputt.obt", "type neu.obt"}
      << QStringLiteral("Kein gültiger OBT-File");
}

void WindowControllerTest::reportedFailures() {
  QFETCH(QStringList, steps);
  QFETCH(QString, status);
  for (const QString& step : steps) QVERIFY2(Step(step), qPrintable(step));
  form().SonstOK->click();
  QCOMPARE(form().StatusLabel->text(), status);
  QVERIFY(!QFileInfo::exists(fixture_->Path("neu.obt")));
  QByteArray source;
  QVERIFY(ReadFile(fixture_->Path("quelle.obt"), source));
  QCOMPARE(source, QByteArray(kSource));
  // After every run the preview controls are on, whatever the selection.
  QCOMPARE(Groups(form()), QStringLiteral("compute on, preview on, work on"));
  QVERIFY(fixture_->boxes().shown.empty());
}

void WindowControllerTest::errorBoxForACommaInAPointLine() {
  QVERIFY(Step("source komma.obt"));
  QVERIFY(Step("type neu.obt"));
  QString groups_at_box;
  fixture_->boxes().on_show = [&] { groups_at_box = Groups(form()); };
  ClickOnItsPage(form(), form().QuelleOK);

  QCOMPARE(fixture_->boxes().shown.size(), std::size_t{1});
  const ui::MessageBoxRequest& box = fixture_->boxes().shown.front();
  QCOMPARE(box.text, QStringLiteral("Ungültige numerische Eingabe."));
  QCOMPARE(box.caption, QStringLiteral("Window_controller_test"));
  QCOMPARE(box.icon, QMessageBox::Critical);
  // The handler has switched the controls on again before the box shows.
  QCOMPARE(groups_at_box, QStringLiteral("compute on, preview on, work on"));
  QCOMPARE(Groups(form()), QStringLiteral("compute on, preview on, work on"));
  QCOMPARE(form().StatusLabel->text(), QString());
  QVERIFY(!QFileInfo::exists(fixture_->Path("neu.obt")));
}

void WindowControllerTest::targetInTheRootDirectory() {
  form().DirectoryListBox2->SetDirectory("/");
  QVERIFY(Step("type x.obt"));
  form().QuelleOK->setEnabled(true);  // no source: nothing is written
  form().QuelleOK->click();
  QCOMPARE(fixture_->job().target_name(), std::string("//x.obt"));
  QCOMPARE(form().StatusLabel->text(),
           QStringLiteral("Fehler in Dateinamen aufgetreten"));
}

// The list still shows the file, but it has gone by the time the run reads
// it: the run reports a file-name error and creates nothing.
void WindowControllerTest::sourceDeletedAfterListing() {
  QVERIFY(Step("source quelle.obt"));
  QVERIFY(Step("type neu.obt"));
  QVERIFY(QFile::remove(fixture_->Path("quelle.obt")));
  ClickOnItsPage(form(), form().ZielOK);
  QCOMPARE(form().StatusLabel->text(),
           QStringLiteral("Fehler in Dateinamen aufgetreten"));
  QVERIFY(!QFileInfo::exists(fixture_->Path("neu.obt")));
  QVERIFY(fixture_->boxes().shown.empty());
}

void WindowControllerTest::runInputsFromTheControls() {
  QVERIFY(Step("source quelle.obt"));
  form().MPX->SetText("+5");
  form().MPY->SetText("1,5");
  form().MPZ->SetText("-20");
  form().RadioButton64->click();
  form().CheckBox2->click();
  form().CheckBox1->click();
  form().CheckBox128->click();
  const work::RunInputs inputs = form().ReadRunInputs();
  QCOMPARE(QString::fromStdString(inputs.source_name),
           fixture_->Path("quelle.obt"));
  QCOMPARE(inputs.centre_x_text, std::string("+5"));
  QCOMPARE(inputs.centre_y_text, std::string("1,5"));
  QCOMPARE(inputs.centre_z_text, std::string("-20"));
  QVERIFY((inputs.source_octant_checked ==
           std::array<bool, 8>{false, false, false, false, false, false, true,
                               false}));
  QVERIFY((inputs.target_octant_checked ==
           std::array<bool, 8>{true, false, false, false, false, false, false,
                               true}));
}

void WindowControllerTest::targetNameTypingLimit() {
  QVERIFY(Step("clear"));
  QSignalSpy changes(form().Edit2, &QLineEdit::textChanged);
  QTest::keyClicks(form().Edit2, "abcdefghijklm.obt");
  QCOMPARE(form().Edit2->text(), QStringLiteral("abcdefghijkl"));
  // A refused character is no change.
  QCOMPARE(changes.count(), 12);
}

void WindowControllerTest::enterAndEscPressNoButton() {
  QVERIFY(Step("source quelle.obt"));
  QVERIFY(Step("type neu.obt"));
  QTest::keyClick(form().Edit2, Qt::Key_Return);
  QTest::keyClick(form().Edit2, Qt::Key_Escape);
  QVERIFY(!QFileInfo::exists(fixture_->Path("neu.obt")));
  QVERIFY(form().isVisible());
}

void WindowControllerTest::helpDoesNothing() {
  QVERIFY(Step("source quelle.obt"));
  const QString groups = Groups(form());
  const int windows = QApplication::topLevelWidgets().size();
  for (QPushButton* help :
       {form().QuelleHilfe, form().ZielHilfe, form().SonstHilfe}) {
    help->click();
  }
  form().Edit2->setFocus();
  QTest::keyClick(form().Edit2, Qt::Key_F1);
  QCOMPARE(Groups(form()), groups);
  QCOMPARE(QApplication::topLevelWidgets().size(), windows);
  QVERIFY(form().isVisible());
  QVERIFY(fixture_->boxes().shown.empty());
}

void WindowControllerTest::quitting() {
  // Closing the main window ends the program.
  QVERIFY(form().testAttribute(Qt::WA_QuitOnClose));
  ClickOnItsPage(form(), form().ZielAbbrechen);
  QVERIFY(!form().isVisible());
}

void WindowControllerTest::applicationTitle_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("title");
  QTest::newRow("plain") << "/usr/bin/obtmirror"
                         << "Obtmirror";
  QTest::newRow("upper case with extension") << "C/OBT.EXE"
                                             << "Obt";
  QTest::newRow("cut at the first dot") << "/a.b/my.prog.exe"
                                        << "My";
  QTest::newRow("mixed case") << "obtMirror"
                              << "Obtmirror";
  QTest::newRow("name begins with a dot") << "/x/.hidden"
                                          << "";
}

void WindowControllerTest::applicationTitle() {
  QFETCH(QString, path);
  QFETCH(QString, title);
  QCOMPARE(ui::ApplicationTitle(path), title);
}

void WindowControllerTest::realErrorBox() {
  ui::ModalMessageBoxes boxes;
  // Reads and closes the box once it shows. Should it never show, or show
  // as something else, the dialog that holds the modal loop is closed after
  // a while, so the test fails instead of waiting for a click.
  QString seen;
  QElapsedTimer waiting;
  waiting.start();
  QTimer closer;
  connect(&closer, &QTimer::timeout, this, [&] {
    if (auto* box =
            qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      const bool error_icon = box->icon() == QMessageBox::Critical;
      seen = QStringLiteral("%1 | %2 | %3 | buttons %4")
                 .arg(box->text(), box->windowTitle(),
                      error_icon ? "error icon" : "other icon")
                 .arg(box->buttons().size());
      box->done(QMessageBox::Ok);
    } else if (waiting.elapsed() > 5000) {
      for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
      }
    }
  });
  closer.start(10);
  ui::ShowErrorBox(boxes, &form(), "Datei nicht gefunden");
  QCOMPARE(seen, QStringLiteral("Datei nicht gefunden. | Window_controller_test"
                                " | error icon | buttons 1"));
}

QTEST_MAIN(WindowControllerTest)
#include "window_controller_test.moc"
