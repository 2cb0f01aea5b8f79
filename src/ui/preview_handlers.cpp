// The misc page's preview: the source file, or the result of a fresh run
// written to the temporary result file, loaded and drawn as a wireframe.

#include <QComboBox>
#include <QPainter>

#include "preview/preview_texts.h"
#include "preview/qt/preview_image.h"
#include "ui/Unitobt.h"
#include "ui/encoded_path.h"
#include "ui/error_box.h"
#include "ui/status_feedback.h"
#include "ui/widgets/file_list_box.h"
#include "ui/widgets/gauge.h"
#include "ui/widgets/paint_box.h"
#include "work/scope_exit.h"

namespace ui {
namespace {

constexpr int kSourcePreview = 0;

}  // namespace

QString TForm1::TemporaryResultFile() const {
  // Joined as it stands: a start at the root gives "//temp0099.obt".
  return start_directory_ + QStringLiteral("/temp0099.obt");
}

void TForm1::VorschauComboBoxChange() { RefreshPreview(); }

void TForm1::AnsichtComboBoxChange() {
  preview_.set_view_kind(AnsichtComboBox->currentIndex());
  RefreshPreview();
}

void TForm1::VorschauButtonClick() { RefreshPreview(); }

void TForm1::RefreshPreview() {
  RunReportingErrors(message_boxes_, this, [this] {
    const auto busy = BeginWork();
    std::string path;
    if (VorschauComboBox->currentIndex() == kSourcePreview) {
      path = EncodedPath(FileListBox1->FileName());
    } else {
      // Always computed afresh from the current settings. A run that fails
      // leaves an earlier result in the file, if any; drawing that would
      // show an old object as the new one and wipe the run's message off
      // the status line, so the preview keeps its last picture instead.
      path = EncodedPath(TemporaryResultFile());
      job_.set_target_name(path);
      if (RunConversion() != run::RunResult::kSucceeded) return;
    }

    StatusFeedback feedback(StatusLabel, StatusGauge);
    // Made after the work guard, so the file is closed before the controls
    // come on again.
    const work::ScopeExit close_file([this] { preview_.ClosePreviewFile(); });
    preview_.PreviewLoader(path, VorschauPaintBox->width(),
                           VorschauPaintBox->height(), feedback);
    if (preview_.preview_error() != preview::kPreviewLoaded) {
      message_boxes_.Show(
          {QString::fromUtf8(preview::kLoadErrorMessage),
           QString::fromUtf8(preview::kLoadErrorCaption), QMessageBox::NoIcon},
          this);
      return;
    }
    preview_.DrawWireframe(feedback, [this] { VorschauPaintBox->repaint(); });
  });
}

void TForm1::VorschauPaintBoxPaint(QPainter* canvas) {
  if (const preview::PreviewBitmap* bitmap = preview_.preview_bitmap()) {
    canvas->drawImage(0, 0, preview::PreviewImage(*bitmap));
  }
}

}  // namespace ui
