#ifndef OBTMIRROR_UI_UNITOBT_H_
#define OBTMIRROR_UI_UNITOBT_H_

#include <QString>
#include <QWidget>
#include <array>

#include "preview/preview.h"
#include "run/conversion_job.h"
#include "ui/message_boxes.h"
#include "work/run_inputs.h"
#include "work/scope_exit.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace ui {

class DirectoryListBox;
class DriveComboBox;
class FileListBox;
class FilterComboBox;
class Gauge;
class OctantPicture;
class PaintBox;
class SpinEdit;
class TabbedNotebook;

// The program's one window, Form1: three pages for the source, the target
// and the rest, and the status box below them. Its controls are reached by
// their names; its methods are the handlers of their events.
class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // The job and the preview are the program's one conversion job and one
  // preview; they and the message boxes outlive the window.
  TForm1(run::ConversionJob& job, preview::Preview& preview,
         MessageBoxes& message_boxes, QWidget* parent = nullptr);

  void FormCreate();
  void FormShow();
  void FileListBox1Change();
  void Edit2Change();
  void ObjSpiegel();
  void CancelKlick();

  // The preview of the misc page.
  void VorschauComboBoxChange();
  void AnsichtComboBoxChange();
  void VorschauButtonClick();
  void VorschauPaintBoxPaint(QPainter* canvas);

  // Each switches a fixed group of controls, touching only those whose
  // state differs.
  void SetButtons(bool enabled);
  void SetSonstButtons(bool enabled);
  void SetBerechnenButtons(bool enabled);

  // The current directory when the window was created.
  const QString& StartDirectory() const { return start_directory_; }

  // Where every preview of the result is written and read back; it stays
  // there after the program ends.
  QString TemporaryResultFile() const;

  // What a run reads from the controls.
  work::RunInputs ReadRunInputs() const;

  TabbedNotebook* TabbedNotebook1 = nullptr;

  // The source page "Spiegel-Quelle".
  FileListBox* FileListBox1 = nullptr;
  DirectoryListBox* DirectoryListBox1 = nullptr;
  DriveComboBox* DriveComboBox1 = nullptr;
  QPushButton* QuelleOK = nullptr;
  QPushButton* QuelleAbbrechen = nullptr;
  QPushButton* QuelleHilfe = nullptr;
  FilterComboBox* FilterComboBox1 = nullptr;
  QGroupBox* GroupBox3 = nullptr;
  OctantPicture* Image2 = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QRadioButton* RadioButton4 = nullptr;
  QRadioButton* RadioButton8 = nullptr;
  QRadioButton* RadioButton16 = nullptr;
  QRadioButton* RadioButton32 = nullptr;
  QRadioButton* RadioButton64 = nullptr;
  QRadioButton* RadioButton128 = nullptr;

  // The target page "Spiegel-Ziel".
  QLineEdit* Edit2 = nullptr;
  FileListBox* FileListBox2 = nullptr;
  DirectoryListBox* DirectoryListBox2 = nullptr;
  DriveComboBox* DriveComboBox2 = nullptr;
  QPushButton* ZielOK = nullptr;
  QPushButton* ZielAbbrechen = nullptr;
  QPushButton* ZielHilfe = nullptr;
  QGroupBox* GroupBox2 = nullptr;
  OctantPicture* Image3 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QCheckBox* CheckBox4 = nullptr;
  QCheckBox* CheckBox8 = nullptr;
  QCheckBox* CheckBox16 = nullptr;
  QCheckBox* CheckBox32 = nullptr;
  QCheckBox* CheckBox64 = nullptr;
  QCheckBox* CheckBox128 = nullptr;

  // The misc page "Sonstiges".
  QGroupBox* GroupBox1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  SpinEdit* MPX = nullptr;
  SpinEdit* MPY = nullptr;
  SpinEdit* MPZ = nullptr;
  QPushButton* SonstOK = nullptr;
  QPushButton* SonstAbbrechen = nullptr;
  QPushButton* SonstHilfe = nullptr;
  QFrame* Panel1 = nullptr;
  QComboBox* VorschauComboBox = nullptr;
  QGroupBox* GroupBox5 = nullptr;
  PaintBox* VorschauPaintBox = nullptr;
  QToolButton* VorschauButton = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QComboBox* AnsichtComboBox = nullptr;

  // The status box below the pages.
  QGroupBox* StatusBox = nullptr;
  QLabel* StatusLabel = nullptr;
  Gauge* StatusGauge = nullptr;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Switches the work and preview controls off for a handler's work; the
  // guard switches them on again when the work ends, also when an error
  // ends it.
  [[nodiscard]] auto BeginWork() {
    SetButtons(false);
    return work::ScopeExit([this] { SetButtons(true); });
  }

  void BuildSourcePage(QWidget* page);
  void BuildTargetPage(QWidget* page);
  void BuildMiscPage(QWidget* page);
  void BuildCentreGroup(QWidget* page);
  void BuildPreviewPanel(QWidget* page);
  void BuildStatusBox();
  void ConnectHandlers();
  // Loads and draws the source or a fresh result, as the preview list says.
  void RefreshPreview();
  // Runs the conversion into TargetName with the window's settings.
  run::RunResult RunConversion();

  run::ConversionJob& job_;
  preview::Preview& preview_;
  MessageBoxes& message_boxes_;
  QString start_directory_;
  bool shown_before_ = false;
  // The octant selectors in code order 1, 2, 4, ..., 128.
  std::array<QRadioButton*, 8> source_octant_buttons_{};
  std::array<QCheckBox*, 8> target_octant_boxes_{};
};

}  // namespace ui

#endif  // OBTMIRROR_UI_UNITOBT_H_
