// The misc page's preview: source and result, every view, the load box,
// the temporary result file and errors in the middle of a preview.

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "ui/widgets/file_list_box.h"
#include "ui/widgets/paint_box.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/tabbed_notebook.h"
#include "window_fixture.h"

namespace {

using ui_testing::Choose;
using ui_testing::kCommaSource;
using ui_testing::kNotObt;
using ui_testing::ReadFile;
using ui_testing::Select;

// A tetrahedron in octant 1: every view shows lines.
constexpr char kSource[] =
    "QZ_OBT\r\n2.000000\r\n4\r\n-100 -100 -100\r\n0 -100 -100\r\n"
    "-100 0 -100\r\n-100 -100 0\r\n4\r\n0 2 1 1\r\n0 1 3 1\r\n"
    "0 3 2 1\r\n1 2 3 1\r\n0\r\n";
const QString kLoadError =
    QStringLiteral("Fehler beim Laden des OBT-Files aufgetreten!");

constexpr int kSourcePreview = 0;
constexpr int kResultPreview = 1;

int BlackPixels(const QImage& image) {
  int black = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      black += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
  }
  return black;
}

}  // namespace

class PreviewHandlersTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup() { fixture_.reset(); }

  void sourcePreviewInEveryView_data();
  void sourcePreviewInEveryView();
  void noSourceShowsTheLoadBox();
  void resultPreviewWritesTheTemporaryFile();
  void resultWithoutTargetOctantsIsTheSourceAlone();
  void viewChangeRerunsTheConversion();
  void failedPreviewKeepsThePicture_data();
  void failedPreviewKeepsThePicture();
  void errorInTheRunClosesAndEnables();

 private:
  ui::TForm1& form() { return fixture_->form(); }
  // What the paint box shows now.
  QImage Shown() { return form().VorschauPaintBox->grab().toImage(); }

  std::unique_ptr<ui_testing::WindowFixture> fixture_;
};

void PreviewHandlersTest::init() {
  fixture_ = std::make_unique<ui_testing::WindowFixture>();
  QVERIFY(ui_testing::WriteFiles(fixture_->directory(),
                                 {{"quelle.obt", kSource},
                                  {"komma.obt", kCommaSource},
                                  {"kaputt.obt", kNotObt}}));
  fixture_->Start().show();
  QVERIFY(QTest::qWaitForWindowExposed(&form()));
  form().TabbedNotebook1->setCurrentIndex(2);
}

void PreviewHandlersTest::sourcePreviewInEveryView_data() {
  QTest::addColumn<int>("view");
  QTest::newRow("3D") << 0;
  QTest::newRow("front") << 1;
  QTest::newRow("top") << 2;
  QTest::newRow("right") << 3;
}

void PreviewHandlersTest::sourcePreviewInEveryView() {
  QFETCH(int, view);
  QVERIFY(Select(form().FileListBox1, "quelle.obt"));
  QVERIFY(Choose(form().AnsichtComboBox, view));

  QCOMPARE(fixture_->preview().view_kind(), view);
  QVERIFY(fixture_->boxes().shown.empty());
  QVERIFY(BlackPixels(Shown()) > 0);
  // Drawing clears the status line and the gauge.
  QCOMPARE(form().StatusLabel->text(), QString());
  QVERIFY(!fixture_->preview().preview_file_open());
  QVERIFY(form().VorschauButton->isEnabled());
  QVERIFY(form().MPX->isEnabled());
}

void PreviewHandlersTest::noSourceShowsTheLoadBox() {
  QCOMPARE(form().FileListBox1->FileName(), QString());
  form().VorschauButton->setEnabled(true);
  QTest::mouseClick(form().VorschauButton, Qt::LeftButton);

  QCOMPARE(fixture_->boxes().shown.size(), std::size_t{1});
  const ui::MessageBoxRequest& box = fixture_->boxes().shown.front();
  QCOMPARE(box.text, kLoadError);
  QCOMPARE(box.caption, QStringLiteral("Fehler"));
  QCOMPARE(box.icon, QMessageBox::NoIcon);
  QCOMPARE(BlackPixels(Shown()), 0);
}

void PreviewHandlersTest::resultPreviewWritesTheTemporaryFile() {
  QVERIFY(Select(form().FileListBox1, "quelle.obt"));
  QVERIFY(Choose(form().VorschauComboBox, kResultPreview));

  const QString temporary = fixture_->directory() + "/temp0099.obt";
  QCOMPARE(form().TemporaryResultFile(), temporary);
  // The default target octant 2 doubles the object.
  QByteArray written;
  QVERIFY(ReadFile(temporary, written));
  QVERIFY(written.startsWith("QZ_OBT\r\n2.000000\r\n8\r\n"));
  QVERIFY(fixture_->boxes().shown.empty());
  QVERIFY(BlackPixels(Shown()) > 0);
  QCOMPARE(form().StatusLabel->text(), QString());
  form().close();
  QVERIFY(QFileInfo::exists(temporary));  // nothing removes it
}

void PreviewHandlersTest::resultWithoutTargetOctantsIsTheSourceAlone() {
  QVERIFY(Select(form().FileListBox1, "quelle.obt"));
  form().CheckBox2->setChecked(false);
  QVERIFY(Choose(form().VorschauComboBox, kResultPreview));
  QByteArray written;
  QVERIFY(ReadFile(fixture_->directory() + "/temp0099.obt", written));
  QCOMPARE(written, QByteArray(kSource));
  QVERIFY(BlackPixels(Shown()) > 0);
}

void PreviewHandlersTest::viewChangeRerunsTheConversion() {
  QVERIFY(Select(form().FileListBox1, "quelle.obt"));
  QVERIFY(Choose(form().VorschauComboBox, kResultPreview));
  const QString temporary = fixture_->directory() + "/temp0099.obt";
  QByteArray written;
  QVERIFY(ReadFile(temporary, written));
  QVERIFY(written.startsWith("QZ_OBT\r\n2.000000\r\n8\r\n"));

  form().CheckBox4->setChecked(true);
  QVERIFY(Choose(form().AnsichtComboBox, 1));
  QVERIFY(ReadFile(temporary, written));
  QVERIFY(written.startsWith("QZ_OBT\r\n2.000000\r\n12\r\n"));
}

void PreviewHandlersTest::failedPreviewKeepsThePicture_data() {
  QTest::addColumn<bool>("earlier");
  QTest::addColumn<int>("preview");
  QTest::addColumn<QString>("source");
  QTest::addColumn<QString>("centre");
  QTest::addColumn<QString>("status");
  QTest::addColumn<int>("boxes");
  auto row = [](const char* name, bool earlier, int preview, const char* source,
                const char* centre, const char* status, int boxes) {
    QTest::newRow(name) << earlier << preview << QString(source)
                        << QString(centre) << QString(status) << boxes;
  };
  row("source that is not an OBT file", true, kSourcePreview, "kaputt.obt", "0",
      "", 1);
  row("result of a source that is not an OBT file", true, kResultPreview,
      "kaputt.obt", "0", "Kein gültiger OBT-File", 0);
  row("the same without an earlier result", false, kResultPreview, "kaputt.obt",
      "0", "Kein gültiger OBT-File", 0);
  row("result with the centre out of range, target already created", true,
      kResultPreview, "quelle.obt", "99999999999",
      "Ungültiger Spiegel-Mittelpunkt", 0);
}

// Nothing is drawn, so the picture stays. A failed run keeps its message,
// and whatever temp0099.obt still holds is not its result: it is not loaded.
void PreviewHandlersTest::failedPreviewKeepsThePicture() {
  QFETCH(bool, earlier);
  QFETCH(int, preview);
  QFETCH(QString, source);
  QFETCH(QString, centre);
  QFETCH(QString, status);
  QFETCH(int, boxes);
  const QString temporary = fixture_->directory() + "/temp0099.obt";
  QByteArray earlier_result;
  if (earlier) {
    QVERIFY(Select(form().FileListBox1, "quelle.obt"));
    QVERIFY(Choose(form().VorschauComboBox, kResultPreview));
    QVERIFY(BlackPixels(Shown()) > 0);
    QVERIFY(ReadFile(temporary, earlier_result));
  }
  const QImage before = Shown();

  QVERIFY(Select(form().FileListBox1, source));
  form().MPX->SetText(centre);
  form().VorschauComboBox->setCurrentIndex(preview);
  // Another view: a drawing of the old file would differ from the picture.
  QVERIFY(Choose(form().AnsichtComboBox, 1));

  QCOMPARE(form().StatusLabel->text(), status);
  QCOMPARE(fixture_->boxes().shown.size(), std::size_t(boxes));
  QCOMPARE(Shown(), before);
  QByteArray now;
  QCOMPARE(QFileInfo::exists(temporary) && ReadFile(temporary, now), earlier);
  QCOMPARE(now, earlier_result);
  QVERIFY(!fixture_->preview().preview_file_open());
  QVERIFY(form().VorschauButton->isEnabled());
  QVERIFY(form().MPX->isEnabled());
}

void PreviewHandlersTest::errorInTheRunClosesAndEnables() {
  QVERIFY(Select(form().FileListBox1, "komma.obt"));
  bool enabled_at_box = false;
  fixture_->boxes().on_show = [&] {
    enabled_at_box = form().VorschauButton->isEnabled() &&
                     form().AnsichtComboBox->isEnabled() &&
                     form().SonstAbbrechen->isEnabled();
  };
  QVERIFY(Choose(form().VorschauComboBox, kResultPreview));

  QCOMPARE(fixture_->boxes().shown.size(), std::size_t{1});
  QCOMPARE(fixture_->boxes().shown.front().text,
           QStringLiteral("Ungültige numerische Eingabe."));
  QCOMPARE(fixture_->boxes().shown.front().icon, QMessageBox::Critical);
  QVERIFY(enabled_at_box);
  QVERIFY(!fixture_->preview().preview_file_open());
}

QTEST_MAIN(PreviewHandlersTest)
#include "preview_handlers_test.moc"
