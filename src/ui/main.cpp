#include <QApplication>

#include "files/process_signals.h"
#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "run/conversion_job.h"
#include "ui/Unitobt.h"
#include "ui/message_boxes.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // After Qt has set up, so that these handlers are the ones in force.
  files::SetUpProcessSignals();

  obt::PendingIoError pending_io_error;
  run::ConversionJob job(pending_io_error);
  preview::Preview preview(pending_io_error);
  preview.InitPreview();
  ui::ModalMessageBoxes message_boxes;

  ui::TForm1 Form1(job, preview, message_boxes);
  Form1.show();
  application.exec();
  // Nothing is saved; closing the window is the one way out.
  return 0;
}
