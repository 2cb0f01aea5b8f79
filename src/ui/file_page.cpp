#include "ui/file_page.h"

#include <QDir>
#include <QPushButton>

#include "ui/page_texts.h"
#include "ui/widgets/directory_list_box.h"
#include "ui/widgets/drive_combo_box.h"
#include "ui/widgets/file_list_box.h"

namespace ui {

FileControls MakeFileControls(QWidget* page, const FileControlsLayout& layout) {
  FileControls controls{};
  controls.file_list =
      MakeControl<FileListBox>(page, layout.file_list, layout.file_list_place);
  controls.directory_list = MakeControl<DirectoryListBox>(
      page, layout.directory_list, QRect(144, 24, 153, 153));
  controls.drive_selector = MakeControl<DriveComboBox>(
      page, layout.drive_selector, QRect(144, 184, 153, 22));
  controls.compute_button =
      MakeButton(page, layout.compute_button, QRect(16, 216, 113, 33),
                 kComputeCaption, kComputeHint);
  controls.compute_button->setEnabled(false);
  controls.quit_button = MakeButton(
      page, layout.quit_button, QRect(144, 216, layout.quit_button_width, 33),
      kQuitCaption, kQuitHint);
  controls.help_button =
      MakeButton(page, layout.help_button, QRect(264, 216, 33, 33),
                 kHelpCaption, kHelpHint);
  return controls;
}

void BindFileControls(const FileControls& controls) {
  controls.file_list->SetMask(QStringLiteral("*.obt"));
  controls.directory_list->SetFileList(controls.file_list);
  controls.drive_selector->SetDirList(controls.directory_list);
  controls.directory_list->SetDirectory(QDir::currentPath());
}

}  // namespace ui
