#ifndef OBTMIRROR_UI_WIDGETS_FILTER_COMBO_BOX_H_
#define OBTMIRROR_UI_WIDGETS_FILTER_COMBO_BOX_H_

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace ui {

class FileListBox;

// Lists the descriptions of a filter text "description|mask|description|mask"
// and, on every choice, sets its file list's mask to the chosen mask.
class FilterComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit FilterComboBox(QWidget* parent = nullptr);

  // Lists the descriptions and selects the first.
  void SetFilter(const QString& filter);
  const QString& Filter() const { return filter_; }

  // The mask of the chosen description; empty when the list is empty.
  QString Mask() const;

  void SetFileList(FileListBox* file_list) { file_list_ = file_list; }

 private:
  void Choose(int index);

  QString filter_;
  QStringList masks_;
  FileListBox* file_list_ = nullptr;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_FILTER_COMBO_BOX_H_
