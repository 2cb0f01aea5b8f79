#ifndef OBTMIRROR_TESTS_UI_WINDOW_FIXTURE_H_
#define OBTMIRROR_TESTS_UI_WINDOW_FIXTURE_H_

#include <QByteArray>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QString>
#include <QtGlobal>
#include <exception>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "run/conversion_job.h"
#include "support/temp_dir.h"
#include "ui/Unitobt.h"
#include "ui/message_boxes.h"

// The functions that prepare a step of a test return whether it worked and
// say why not in the test log; a test asserts each (QVERIFY), so it stops
// where its set-up failed instead of going on without it.
namespace ui_testing {

// A source with a comma inside a point line, and one that is no OBT file.
inline constexpr char kCommaSource[] =
    "QZ_OBT\r\n1.000000\r\n2\r\n0 0 0\r\n10,5 0 0\r\n0\r\n";
inline constexpr char kNotObt[] = "QZ_OBJ\r\n1.000000\r\n0\r\n0\r\n";

// Keeps every box the window asks for instead of showing it, and lets a
// test look at the window at the moment the box would appear.
class RecordingMessageBoxes final : public ui::MessageBoxes {
 public:
  void Show(const ui::MessageBoxRequest& request, QWidget*) override {
    shown.push_back(request);
    if (on_show) on_show();
  }

  std::vector<ui::MessageBoxRequest> shown;
  std::function<void()> on_show;
};

struct NamedFile {
  const char* name;
  std::string_view bytes;
};

[[nodiscard]] inline bool WriteFiles(const QString& directory,
                                     std::initializer_list<NamedFile> files) {
  for (const NamedFile& file : files) {
    try {
      testing_support::WriteFile(
          QFile::encodeName(QDir(directory).filePath(file.name)).toStdString(),
          file.bytes);
    } catch (const std::exception& error) {
      qWarning("%s", error.what());
      return false;
    }
  }
  return true;
}

[[nodiscard]] inline bool ReadFile(const QString& path, QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    qWarning("cannot read %s", qPrintable(path));
    return false;
  }
  bytes = file.readAll();
  return true;
}

// Selects an entry of a list as the user's click does.
[[nodiscard]] inline bool Select(QListWidget* list, const QString& name) {
  const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) {
    qWarning("%s does not list %s", qPrintable(list->objectName()),
             qPrintable(name));
    return false;
  }
  list->setCurrentItem(found.front());
  return true;
}

// Chooses an entry of a drop-down list as the user does; a disabled list
// takes no choice.
[[nodiscard]] inline bool Choose(QComboBox* list, int index) {
  if (!list->isEnabled() || index < 0 || index >= list->count()) {
    qWarning("%s: cannot choose entry %d", qPrintable(list->objectName()),
             index);
    return false;
  }
  list->setCurrentIndex(index);
  emit list->activated(index);
  return true;
}

// A window started in a fresh temporary directory, which is the process's
// current directory while the window lives, as it is at program start.
class WindowFixture {
 public:
  WindowFixture() : previous_directory_(QDir::currentPath()) {}
  ~WindowFixture() {
    form_.reset();
    QDir::setCurrent(previous_directory_);
  }
  WindowFixture(const WindowFixture&) = delete;
  WindowFixture& operator=(const WindowFixture&) = delete;

  QString directory() const {
    return QFile::decodeName(directory_.path().c_str());
  }
  QString Path(const QString& name) const {
    return QDir(directory()).filePath(name);
  }

  ui::TForm1& Start() {
    QDir::setCurrent(directory());
    preview_.InitPreview();
    form_ = std::make_unique<ui::TForm1>(job_, preview_, boxes_);
    return *form_;
  }

  ui::TForm1& form() { return *form_; }
  RecordingMessageBoxes& boxes() { return boxes_; }
  run::ConversionJob& job() { return job_; }
  preview::Preview& preview() { return preview_; }

 private:
  QString previous_directory_;
  testing_support::TempDir directory_;
  obt::PendingIoError pending_;
  run::ConversionJob job_{pending_};
  preview::Preview preview_{pending_};
  RecordingMessageBoxes boxes_;
  std::unique_ptr<ui::TForm1> form_;
};

}  // namespace ui_testing

#endif  // OBTMIRROR_TESTS_UI_WINDOW_FIXTURE_H_
