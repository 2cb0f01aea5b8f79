#ifndef OBTMIRROR_UI_FILE_PAGE_H_
#define OBTMIRROR_UI_FILE_PAGE_H_

#include <QGroupBox>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstddef>

#include "ui/control_setup.h"
#include "ui/octant_corners.h"
#include "ui/widgets/octant_picture.h"

class QPushButton;

namespace ui {

class DirectoryListBox;
class DriveComboBox;
class FileListBox;

// What the source and the target page share: a file list browsed by a
// directory list and a drive selector, the three buttons below them, and
// the octant cube with a selector on each corner. The pages differ only in
// names, in two places and in the kind of selector.
struct FileControlsLayout {
  const char* file_list;
  QRect file_list_place;
  const char* directory_list;
  const char* drive_selector;
  const char* compute_button;
  const char* quit_button;
  int quit_button_width;
  const char* help_button;
};

struct FileControls {
  FileListBox* file_list;
  DirectoryListBox* directory_list;
  DriveComboBox* drive_selector;
  QPushButton* compute_button;
  QPushButton* quit_button;
  QPushButton* help_button;
};

// Creates the lists and the buttons in their tab order; the compute button
// starts disabled.
FileControls MakeFileControls(QWidget* page, const FileControlsLayout& layout);

// Gives the file list its mask and links the lists, then moves them to the
// current directory, which fills them. Comes after the page's own links to
// the file list, so that the first filling already reaches them.
void BindFileControls(const FileControls& controls);

template <typename Selector>
struct OctantGroup {
  QGroupBox* box;
  OctantPicture* picture;
  // In code order 1, 2, 4, ..., 128.
  std::array<Selector*, 8> selectors;
};

// The group box of the cube; each selector is named after the prefix and
// its OctantCode and sits where `place` puts it on its corner.
template <typename Selector>
OctantGroup<Selector> MakeOctantGroup(QWidget* page, const char* box_name,
                                      const QString& caption,
                                      const char* picture_name,
                                      const char* selector_prefix,
                                      QPoint OctantCorner::*place,
                                      QSize selector_size) {
  OctantGroup<Selector> group{};
  group.box = MakeGroupBox(page, box_name, QRect(310, 16, 209, 234), caption);
  group.picture = MakeControl<OctantPicture>(group.box, picture_name,
                                             QRect(9, 20, 191, 193));
  for (std::size_t i = 0; i < kOctantCorners.size(); ++i) {
    const OctantCorner& corner = kOctantCorners[i];
    const QByteArray name = selector_prefix + QByteArray::number(corner.code);
    group.selectors[i] = MakeControl<Selector>(
        group.box, name.constData(), QRect(corner.*place, selector_size));
  }
  return group;
}

}  // namespace ui

#endif  // OBTMIRROR_UI_FILE_PAGE_H_
