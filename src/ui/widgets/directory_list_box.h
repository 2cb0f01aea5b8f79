#ifndef OBTMIRROR_UI_WIDGETS_DIRECTORY_LIST_BOX_H_
#define OBTMIRROR_UI_WIDGETS_DIRECTORY_LIST_BOX_H_

#include <QListWidget>
#include <QString>

namespace ui {

class FileListBox;

// The path of the current directory from the root, one entry a level, and
// the subdirectories below it. Double-clicking an entry (or Enter on it)
// makes it the current directory and moves the linked file list there.
class DirectoryListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit DirectoryListBox(QWidget* parent = nullptr);

  // A full path without a closing "/", except at the root.
  const QString& Directory() const { return directory_; }
  // Ignores a path that is no directory; refills when the directory changes.
  void SetDirectory(const QString& directory);

  void SetFileList(FileListBox* file_list);

 signals:
  void DirectoryChanged(const QString& directory);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Refill();
  void Enter(const QListWidgetItem* item);

  QString directory_;
  FileListBox* file_list_ = nullptr;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_DIRECTORY_LIST_BOX_H_
