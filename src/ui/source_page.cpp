// The source page "Spiegel-Quelle": the source file and its octant.

#include <QRadioButton>

#include "ui/Unitobt.h"
#include "ui/control_setup.h"
#include "ui/file_page.h"
#include "ui/widgets/filter_combo_box.h"

namespace ui {

void TForm1::BuildSourcePage(QWidget* page) {
  const FileControls files =
      MakeFileControls(page, {"FileListBox1", QRect(16, 24, 113, 153),
                              "DirectoryListBox1", "DriveComboBox1", "QuelleOK",
                              "QuelleAbbrechen", 105, "QuelleHilfe"});
  FileListBox1 = files.file_list;
  DirectoryListBox1 = files.directory_list;
  DriveComboBox1 = files.drive_selector;
  QuelleOK = files.compute_button;
  QuelleAbbrechen = files.quit_button;
  QuelleHilfe = files.help_button;
  FilterComboBox1 = MakeControl<FilterComboBox>(page, "FilterComboBox1",
                                                QRect(16, 184, 113, 24));
  FilterComboBox1->SetFilter(QStringLiteral("OBT-Files|*.obt|Alle Files|*.*"));

  const OctantGroup<QRadioButton> octants = MakeOctantGroup<QRadioButton>(
      page, "GroupBox3", QStringLiteral("Quellposition"), "Image2",
      "RadioButton", &OctantCorner::radio_button, kRadioButtonSize);
  GroupBox3 = octants.box;
  Image2 = octants.picture;
  source_octant_buttons_ = octants.selectors;
  RadioButton1 = source_octant_buttons_[0];
  RadioButton2 = source_octant_buttons_[1];
  RadioButton4 = source_octant_buttons_[2];
  RadioButton8 = source_octant_buttons_[3];
  RadioButton16 = source_octant_buttons_[4];
  RadioButton32 = source_octant_buttons_[5];
  RadioButton64 = source_octant_buttons_[6];
  RadioButton128 = source_octant_buttons_[7];
  RadioButton1->setChecked(true);

  FilterComboBox1->SetFileList(FileListBox1);
  BindFileControls(files);
}

}  // namespace ui
