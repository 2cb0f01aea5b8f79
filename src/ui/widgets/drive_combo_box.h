#ifndef OBTMIRROR_UI_WIDGETS_DRIVE_COMBO_BOX_H_
#define OBTMIRROR_UI_WIDGETS_DRIVE_COMBO_BOX_H_

#include <QComboBox>
#include <QHash>
#include <QString>
#include <QStringList>

namespace ui {

class DirectoryListBox;

// The mounted file systems, the root first, in the place of drives. Each
// remembers the directory its directory list last showed on it; choosing one
// moves the directory list back there (at first to the mount's root).
class DriveComboBox : public QComboBox {
  Q_OBJECT

 public:
  // Lists the file systems mounted now.
  explicit DriveComboBox(QWidget* parent = nullptr);

  // Replaces the list, the root first whatever the order given.
  void SetDrives(QStringList mount_points);
  void SetDirList(DirectoryListBox* directory_list);

  // The mount point that holds a directory: the longest one that is a
  // leading part of its path.
  QString DriveOf(const QString& directory) const;

  static QStringList MountedDrives();

 private:
  void FollowDirectory(const QString& directory);
  void Choose(int index);

  DirectoryListBox* directory_list_ = nullptr;
  QHash<QString, QString> last_visited_;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_DRIVE_COMBO_BOX_H_
