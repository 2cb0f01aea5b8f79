// Makes the README's picture of the window: the misc page after a preview of
// the result, with a source object mirrored into every other octant.
//
//   obtmirror-screenshot SOURCE PICTURE [PAGE_DIR]
//
// PAGE_DIR, when given, also receives a picture of each page as the window
// shows it at start. The window runs offscreen, so the pictures do not
// depend on a desktop and its theme; nothing outside a temporary directory
// and the pictures is written.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QWindow>
#include <cstdio>

#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "run/conversion_job.h"
#include "ui/Unitobt.h"
#include "ui/message_boxes.h"
#include "ui/widgets/file_list_box.h"
#include "ui/widgets/tabbed_notebook.h"

namespace {

constexpr int kUsageError = 64;
constexpr int kMiscPage = 2;
constexpr int kResultPreview = 1;

// A box would mean the picture shows a failure; it is noted, not shown.
class NotedMessageBoxes final : public ui::MessageBoxes {
 public:
  void Show(const ui::MessageBoxRequest& request, QWidget*) override {
    noted.append(request.text);
  }

  QStringList noted;
};

int Fail(const QString& message) {
  std::fprintf(stderr, "obtmirror-screenshot: %s\n", qPrintable(message));
  return 1;
}

// The layout is only final once the window has been shown on its screen.
bool ShowAndWait(QWidget& window) {
  window.show();
  QElapsedTimer waiting;
  waiting.start();
  while (!window.windowHandle()->isExposed() && waiting.elapsed() < 5000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  QCoreApplication::processEvents();
  return window.windowHandle()->isExposed();
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The window's sizes are for 96 pixels per inch.
  QApplication::setAttribute(Qt::AA_Use96Dpi);
  QApplication application(argc, argv);
  const QStringList arguments = QApplication::arguments();
  if (arguments.size() < 3 || arguments.size() > 4) {
    std::fprintf(stderr,
                 "usage: obtmirror-screenshot SOURCE PICTURE [PAGE_DIR]\n");
    return kUsageError;
  }
  const QString picture = QFileInfo(arguments[2]).absoluteFilePath();
  const QString page_dir =
      arguments.size() == 4 ? QFileInfo(arguments[3]).absoluteFilePath() : "";

  // The window lists its start directory and writes temp0099.obt there.
  QTemporaryDir start_directory;
  if (!start_directory.isValid()) {
    return Fail("cannot make a temporary directory");
  }
  const QString source_name = QFileInfo(arguments[1]).fileName();
  if (!QFile::copy(arguments[1], start_directory.filePath(source_name))) {
    return Fail("cannot copy " + arguments[1]);
  }
  QDir::setCurrent(start_directory.path());

  obt::PendingIoError pending_io_error;
  run::ConversionJob job(pending_io_error);
  preview::Preview preview(pending_io_error);
  preview.InitPreview();
  NotedMessageBoxes message_boxes;
  ui::TForm1 Form1(job, preview, message_boxes);
  if (!ShowAndWait(Form1)) return Fail("the window did not show");

  if (!page_dir.isEmpty()) {
    const QStringList pages = {"spiegel-quelle", "spiegel-ziel", "sonstiges"};
    for (int i = 0; i < pages.size(); ++i) {
      Form1.TabbedNotebook1->setCurrentIndex(i);
      const QString path = QDir(page_dir).filePath(pages[i] + ".png");
      if (!Form1.grab().save(path)) return Fail("cannot write " + path);
    }
  }

  Form1.TabbedNotebook1->setCurrentIndex(kMiscPage);
  const QList<QListWidgetItem*> listed =
      Form1.FileListBox1->findItems(source_name, Qt::MatchExactly);
  if (listed.isEmpty()) return Fail(source_name + " is not an OBT file name");
  Form1.FileListBox1->setCurrentItem(listed.front());
  for (QCheckBox* octant : {Form1.CheckBox1, Form1.CheckBox2, Form1.CheckBox4,
                            Form1.CheckBox8, Form1.CheckBox16, Form1.CheckBox32,
                            Form1.CheckBox64, Form1.CheckBox128}) {
    // The source octant (1 at start) is not mirrored into.
    octant->setChecked(octant != Form1.CheckBox1);
  }
  Form1.VorschauComboBox->setCurrentIndex(kResultPreview);
  Form1.VorschauComboBoxChange();
  // A drawing ends with an empty status line; a failed run leaves its
  // message there.
  if (!message_boxes.noted.isEmpty()) return Fail(message_boxes.noted.front());
  if (!Form1.StatusLabel->text().isEmpty()) {
    return Fail(Form1.StatusLabel->text());
  }
  if (!Form1.grab().save(picture)) return Fail("cannot write " + picture);
  return 0;
}
