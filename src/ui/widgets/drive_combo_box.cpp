#include "ui/widgets/drive_combo_box.h"

#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>

#include "ui/widgets/directory_list_box.h"

namespace ui {
namespace {

constexpr QLatin1String kRoot("/");

bool Holds(const QString& mount_point, const QString& directory) {
  if (mount_point == kRoot) return directory.startsWith(kRoot);
  return directory == mount_point ||
         directory.startsWith(mount_point + QLatin1Char('/'));
}

}  // namespace

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
  SetDrives(MountedDrives());
  connect(this, &QComboBox::activated, this, &DriveComboBox::Choose);
}

void DriveComboBox::SetDrives(QStringList mount_points) {
  mount_points.removeAll(kRoot);
  mount_points.removeDuplicates();
  std::sort(mount_points.begin(), mount_points.end());
  mount_points.prepend(QString(kRoot));
  clear();
  addItems(mount_points);
  if (directory_list_ != nullptr) {
    FollowDirectory(directory_list_->Directory());
  }
}

void DriveComboBox::SetDirList(DirectoryListBox* directory_list) {
  directory_list_ = directory_list;
  connect(directory_list_, &DirectoryListBox::DirectoryChanged, this,
          &DriveComboBox::FollowDirectory);
  FollowDirectory(directory_list_->Directory());
}

QString DriveComboBox::DriveOf(const QString& directory) const {
  QString best(kRoot);
  for (int i = 0; i < count(); ++i) {
    const QString mount_point = itemText(i);
    if (Holds(mount_point, directory) && mount_point.size() > best.size()) {
      best = mount_point;
    }
  }
  return best;
}

QStringList DriveComboBox::MountedDrives() {
  QStringList mount_points;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    // Files mounted on their own (bind mounts) are no drives.
    if (volume.isValid() && volume.isReady() &&
        QFileInfo(volume.rootPath()).isDir()) {
      mount_points.append(volume.rootPath());
    }
  }
  return mount_points;
}

void DriveComboBox::FollowDirectory(const QString& directory) {
  if (directory.isEmpty()) return;
  const QString drive = DriveOf(directory);
  last_visited_.insert(drive, directory);
  setCurrentIndex(findText(drive));
}

void DriveComboBox::Choose(int index) {
  if (directory_list_ == nullptr || index < 0) return;
  const QString drive = itemText(index);
  const QString directory = last_visited_.value(drive, drive);
  // A remembered directory that has gone since leads back to the root.
  directory_list_->SetDirectory(QFileInfo(directory).isDir() ? directory
                                                             : drive);
}

}  // namespace ui
