// The target page "Spiegel-Ziel": the target file and the octants to fill.

#include <QCheckBox>
#include <QLineEdit>

#include "ui/Unitobt.h"
#include "ui/control_setup.h"
#include "ui/file_page.h"
#include "ui/widgets/file_list_box.h"
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
  const FileControls files = MakeFileControls(
      page, {"FileListBox2", QRect(16, 56, 113, 153), "DirectoryListBox2",
             "DriveComboBox2", "ZielOK", "ZielAbbrechen", 97, "ZielHilfe"});
  FileListBox2 = files.file_list;
  DirectoryListBox2 = files.directory_list;
  DriveComboBox2 = files.drive_selector;
  ZielOK = files.compute_button;
  ZielAbbrechen = files.quit_button;
  ZielHilfe = files.help_button;

  const OctantGroup<QCheckBox> octants = MakeOctantGroup<QCheckBox>(
      page, "GroupBox2", QStringLiteral("Zielposition"), "Image3", "CheckBox",
      &OctantCorner::check_box, kCheckBoxSize);
  GroupBox2 = octants.box;
  Image3 = octants.picture;
  target_octant_boxes_ = octants.selectors;
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
  FileListBox2->SetFileEdit(Edit2);
  BindFileControls(files);
}

}  // namespace ui
