// The target page "Spiegel-Ziel": the target file and the octants to fill.

#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "ui/Unitobt.h"
#include "ui/control_setup.h"
#include "ui/octant_corners.h"
#include "ui/page_texts.h"
#include "ui/widgets/directory_list_box.h"
#include "ui/widgets/drive_combo_box.h"
#include "ui/widgets/file_list_box.h"
#include "ui/widgets/octant_picture.h"
#include "ui/widgets/typing_limit.h"

namespace ui {
namespace {

// Typing stops here; a longer name chosen in the file list is taken whole.
constexpr int kTargetNameTypingLimit = 12;

}  // namespace

void TForm1::BuildTargetPage(QWidget* page) {
  Edit2 = MakeControl<QLineEdit>(page, "Edit2", QRect(16, 24, 113, 24));
  Edit2->setText(QStringLiteral("*.obt"));
  new TypingLimit(kTargetNameTypingLimit, Edit2);
  FileListBox2 =
      MakeControl<FileListBox>(page, "FileListBox2", QRect(16, 56, 113, 153));
  DirectoryListBox2 = MakeControl<DirectoryListBox>(page, "DirectoryListBox2",
                                                    QRect(144, 24, 153, 153));
  DriveComboBox2 = MakeControl<DriveComboBox>(page, "DriveComboBox2",
                                              QRect(144, 184, 153, 22));
  ZielOK = MakeButton(page, "ZielOK", QRect(16, 216, 113, 33), kComputeCaption,
                      kComputeHint);
  ZielOK->setEnabled(false);
  ZielAbbrechen = MakeButton(page, "ZielAbbrechen", QRect(144, 216, 97, 33),
                             kQuitCaption, kQuitHint);
  ZielHilfe = MakeButton(page, "ZielHilfe", QRect(264, 216, 33, 33),
                         kHelpCaption, kHelpHint);

  GroupBox2 = MakeGroupBox(page, "GroupBox2", QRect(310, 16, 209, 234),
                           QStringLiteral("Zielposition"));
  Image3 =
      MakeControl<OctantPicture>(GroupBox2, "Image3", QRect(9, 20, 191, 193));
  for (std::size_t i = 0; i < kOctantCorners.size(); ++i) {
    const OctantCorner& corner = kOctantCorners[i];
    const QByteArray name = "CheckBox" + QByteArray::number(corner.code);
    target_octant_boxes_[i] = MakeControl<QCheckBox>(
        GroupBox2, name.constData(), QRect(corner.check_box, kCheckBoxSize));
  }
  CheckBox1 = target_octant_boxes_[0];
  CheckBox2 = target_octant_boxes_[1];
  CheckBox4 = target_octant_boxes_[2];
  CheckBox8 = target_octant_boxes_[3];
  CheckBox16 = target_octant_boxes_[4];
  CheckBox32 = target_octant_boxes_[5];
  CheckBox64 = target_octant_boxes_[6];
  CheckBox128 = target_octant_boxes_[7];
  CheckBox2->setChecked(true);

  // No filter selector here: the mask stays "*.obt".
  FileListBox2->SetMask(QStringLiteral("*.obt"));
  FileListBox2->SetFileEdit(Edit2);
  DirectoryListBox2->SetFileList(FileListBox2);
  DriveComboBox2->SetDirList(DirectoryListBox2);
  DirectoryListBox2->SetDirectory(QDir::currentPath());
}

}  // namespace ui
