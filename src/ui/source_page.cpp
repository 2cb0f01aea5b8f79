// The source page "Spiegel-Quelle": the source file and its octant.

#include <QDir>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "ui/Unitobt.h"
#include "ui/control_setup.h"
#include "ui/octant_corners.h"
#include "ui/page_texts.h"
#include "ui/widgets/directory_list_box.h"
#include "ui/widgets/drive_combo_box.h"
#include "ui/widgets/file_list_box.h"
#include "ui/widgets/filter_combo_box.h"
#include "ui/widgets/octant_picture.h"

namespace ui {

void TForm1::BuildSourcePage(QWidget* page) {
  FileListBox1 =
      MakeControl<FileListBox>(page, "FileListBox1", QRect(16, 24, 113, 153));
  DirectoryListBox1 = MakeControl<DirectoryListBox>(page, "DirectoryListBox1",
                                                    QRect(144, 24, 153, 153));
  DriveComboBox1 = MakeControl<DriveComboBox>(page, "DriveComboBox1",
                                              QRect(144, 184, 153, 22));
  QuelleOK = MakeButton(page, "QuelleOK", QRect(16, 216, 113, 33),
                        kComputeCaption, kComputeHint);
  QuelleOK->setEnabled(false);
  QuelleAbbrechen =
      MakeButton(page, "QuelleAbbrechen", QRect(144, 216, 105, 33),
                 kQuitCaption, kQuitHint);
  QuelleHilfe = MakeButton(page, "QuelleHilfe", QRect(264, 216, 33, 33),
                           kHelpCaption, kHelpHint);
  FilterComboBox1 = MakeControl<FilterComboBox>(page, "FilterComboBox1",
                                                QRect(16, 184, 113, 24));
  FilterComboBox1->SetFilter(QStringLiteral("OBT-Files|*.obt|Alle Files|*.*"));

  GroupBox3 = MakeGroupBox(page, "GroupBox3", QRect(310, 16, 209, 234),
                           QStringLiteral("Quellposition"));
  Image2 =
      MakeControl<OctantPicture>(GroupBox3, "Image2", QRect(9, 20, 191, 193));
  for (std::size_t i = 0; i < kOctantCorners.size(); ++i) {
    const OctantCorner& corner = kOctantCorners[i];
    const QByteArray name = "RadioButton" + QByteArray::number(corner.code);
    source_octant_buttons_[i] =
        MakeControl<QRadioButton>(GroupBox3, name.constData(),
                                  QRect(corner.radio_button, kRadioButtonSize));
  }
  RadioButton1 = source_octant_buttons_[0];
  RadioButton2 = source_octant_buttons_[1];
  RadioButton4 = source_octant_buttons_[2];
  RadioButton8 = source_octant_buttons_[3];
  RadioButton16 = source_octant_buttons_[4];
  RadioButton32 = source_octant_buttons_[5];
  RadioButton64 = source_octant_buttons_[6];
  RadioButton128 = source_octant_buttons_[7];
  RadioButton1->setChecked(true);

  FileListBox1->SetMask(QStringLiteral("*.obt"));
  FilterComboBox1->SetFileList(FileListBox1);
  DirectoryListBox1->SetFileList(FileListBox1);
  DriveComboBox1->SetDirList(DirectoryListBox1);
  DirectoryListBox1->SetDirectory(QDir::currentPath());
}

}  // namespace ui
