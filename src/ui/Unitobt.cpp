#include "ui/Unitobt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShowEvent>
#include <QToolButton>

#include "ui/control_setup.h"
#include "ui/encoded_path.h"
#include "ui/error_box.h"
#include "ui/status_feedback.h"
#include "ui/widgets/directory_list_box.h"
#include "ui/widgets/file_list_box.h"
#include "ui/widgets/gauge.h"
#include "ui/widgets/paint_box.h"
#include "ui/widgets/spin_edit.h"
#include "ui/widgets/tabbed_notebook.h"
#include "ui/window_fonts.h"

namespace ui {
namespace {

constexpr int kClientWidth = 550;
constexpr int kClientHeight = 373;

// The enabled state lives in the controls; a control already in the wanted
// state is left alone.
void SetEnabledState(QWidget* control, bool enabled) {
  if (control->testAttribute(Qt::WA_Disabled) == enabled) {
    control->setEnabled(enabled);
  }
}

}  // namespace

TForm1::TForm1(run::ConversionJob& job, preview::Preview& preview,
               MessageBoxes& message_boxes, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint),
      job_(job),
      preview_(preview),
      message_boxes_(message_boxes) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Raytrace-Objekt-Spiegelung für Win95"));
  setFixedSize(kClientWidth, kClientHeight);
  setFont(WindowFont());

  TabbedNotebook1 = MakeControl<TabbedNotebook>(this, "TabbedNotebook1",
                                                QRect(8, 8, 537, 289));
  TabbedNotebook1->tabBar()->setFont(TabFont());
  auto* source_page = new QWidget;
  auto* target_page = new QWidget;
  auto* misc_page = new QWidget;
  TabbedNotebook1->addTab(source_page, QStringLiteral("Spiegel-Quelle"));
  TabbedNotebook1->addTab(target_page, QStringLiteral("Spiegel-Ziel"));
  TabbedNotebook1->addTab(misc_page, QStringLiteral("Sonstiges"));
  BuildSourcePage(source_page);
  BuildTargetPage(target_page);
  BuildMiscPage(misc_page);
  TabbedNotebook1->setCurrentIndex(0);
  BuildStatusBox();

  ConnectHandlers();
  FormCreate();
}

void TForm1::BuildStatusBox() {
  StatusBox = MakeGroupBox(this, "StatusBox", QRect(8, 304, 537, 63),
                           QStringLiteral("Status:"));
  StatusLabel =
      MakeControl<QLabel>(StatusBox, "StatusLabel", QRect(24, 16, 0, 16));
  QPalette black_text = StatusLabel->palette();
  black_text.setColor(QPalette::WindowText, Qt::black);
  StatusLabel->setPalette(black_text);
  StatusGauge =
      MakeControl<Gauge>(StatusBox, "StatusGauge", QRect(9, 38, 519, 17));
  StatusGauge->setToolTip(QStringLiteral("Fortschrittsanzeige"));
}

void TForm1::ConnectHandlers() {
  connect(FileListBox1, &FileListBox::Changed, this,
          &TForm1::FileListBox1Change);
  connect(Edit2, &QLineEdit::textChanged, this, &TForm1::Edit2Change);
  for (QPushButton* compute : {QuelleOK, ZielOK, SonstOK}) {
    connect(compute, &QPushButton::clicked, this, &TForm1::ObjSpiegel);
  }
  for (QPushButton* quit : {QuelleAbbrechen, ZielAbbrechen, SonstAbbrechen}) {
    connect(quit, &QPushButton::clicked, this, &TForm1::CancelKlick);
  }
  // activated, not currentIndexChanged: only a choice of the user counts,
  // never the program setting the index.
  connect(VorschauComboBox, &QComboBox::activated, this,
          &TForm1::VorschauComboBoxChange);
  connect(AnsichtComboBox, &QComboBox::activated, this,
          &TForm1::AnsichtComboBoxChange);
  connect(VorschauButton, &QToolButton::clicked, this,
          &TForm1::VorschauButtonClick);
  connect(VorschauPaintBox, &PaintBox::Paint, this,
          &TForm1::VorschauPaintBoxPaint);
}

void TForm1::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) {
    if (!shown_before_) {
      shown_before_ = true;
      QRect frame(QPoint(0, 0), frameGeometry().size());
      frame.moveCenter(screen()->availableGeometry().center());
      move(frame.topLeft());
    }
    FormShow();
  }
  QWidget::showEvent(event);
}

void TForm1::FormCreate() { start_directory_ = QDir::currentPath(); }

void TForm1::FormShow() {
  // Setting the index raises no change event, so nothing is drawn yet.
  AnsichtComboBox->setCurrentIndex(0);
  VorschauComboBox->setCurrentIndex(0);
}

void TForm1::FileListBox1Change() {
  SetSonstButtons(!FileListBox1->FileName().isEmpty());
}

void TForm1::Edit2Change() {
  const bool ready =
      !Edit2->text().isEmpty() && !FileListBox1->FileName().isEmpty();
  SetSonstButtons(ready);
  SetBerechnenButtons(ready);
}

void TForm1::ObjSpiegel() {
  RunReportingErrors(message_boxes_, this, [this] {
    const auto busy = BeginWork();
    // Taken as it stands: a root directory gives "//name", a mask in Edit2
    // a name the run cannot create, which it reports.
    job_.set_target_name(EncodedPath(DirectoryListBox2->Directory() +
                                     QLatin1Char('/') + Edit2->text()));
    RunConversion();
  });
}

run::RunResult TForm1::RunConversion() {
  StatusFeedback feedback(StatusLabel, StatusGauge);
  return job_.RunConversionJob(ReadRunInputs(), feedback);
}

void TForm1::CancelKlick() { close(); }

void TForm1::SetButtons(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           QuelleAbbrechen, ZielAbbrechen, SonstAbbrechen, QuelleHilfe,
           ZielHilfe, SonstHilfe, VorschauButton, VorschauComboBox,
           AnsichtComboBox, MPX, MPZ, MPY}) {
    SetEnabledState(control, enabled);
  }
}

void TForm1::SetSonstButtons(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           VorschauButton, VorschauComboBox, AnsichtComboBox}) {
    SetEnabledState(control, enabled);
  }
}

void TForm1::SetBerechnenButtons(bool enabled) {
  for (QWidget* control :
       std::initializer_list<QWidget*>{QuelleOK, ZielOK, SonstOK}) {
    SetEnabledState(control, enabled);
  }
}

work::RunInputs TForm1::ReadRunInputs() const {
  work::RunInputs inputs;
  inputs.source_name = EncodedPath(FileListBox1->FileName());
  inputs.centre_x_text = MPX->Text().toStdString();
  inputs.centre_y_text = MPY->Text().toStdString();
  inputs.centre_z_text = MPZ->Text().toStdString();
  for (std::size_t i = 0; i < source_octant_buttons_.size(); ++i) {
    inputs.source_octant_checked[i] = source_octant_buttons_[i]->isChecked();
    inputs.target_octant_checked[i] = target_octant_boxes_[i]->isChecked();
  }
  return inputs;
}

}  // namespace ui
