#ifndef OBTMIRROR_TESTS_UI_WINDOW_FIXTURE_H_
#define OBTMIRROR_TESTS_UI_WINDOW_FIXTURE_H_

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

#include "obt/conversion_job.h"
#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "ui/Unitobt.h"
#include "ui/message_boxes.h"

namespace ui_testing {

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

inline void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

inline QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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

  // Files to create before the window reads the directory.
  QString Path(const QString& name) const { return directory_.filePath(name); }

  ui::TForm1& Start() {
    QDir::setCurrent(directory_.path());
    preview_.InitPreview();
    form_ = std::make_unique<ui::TForm1>(job_, preview_, boxes_);
    return *form_;
  }

  ui::TForm1& form() { return *form_; }
  RecordingMessageBoxes& boxes() { return boxes_; }
  obt::ConversionJob& job() { return job_; }
  preview::Preview& preview() { return preview_; }
  QString directory() const { return directory_.path(); }

 private:
  QString previous_directory_;
  QTemporaryDir directory_;
  obt::PendingIoError pending_;
  obt::ConversionJob job_{pending_};
  preview::Preview preview_{pending_};
  RecordingMessageBoxes boxes_;
  std::unique_ptr<ui::TForm1> form_;
};

}  // namespace ui_testing

#endif  // OBTMIRROR_TESTS_UI_WINDOW_FIXTURE_H_
