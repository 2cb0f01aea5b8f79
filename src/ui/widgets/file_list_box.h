#ifndef OBTMIRROR_UI_WIDGETS_FILE_LIST_BOX_H_
#define OBTMIRROR_UI_WIDGETS_FILE_LIST_BOX_H_

#include <QListWidget>
#include <QString>

class QLineEdit;

namespace ui {

// The plain files of one directory whose names match a mask, sorted by
// name, at most one of them selected. Several patterns may be given in one
// mask, separated by ";". A list with a name field writes the selected name,
// or the mask when nothing is selected, into that field.
class FileListBox : public QListWidget {
  Q_OBJECT

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  const QString& Directory() const { return directory_; }
  // Refills the list when the directory really changes.
  void SetDirectory(const QString& directory);

  const QString& Mask() const { return mask_; }
  // Refills the list when the mask really changes.
  void SetMask(const QString& mask);

  void SetFileEdit(QLineEdit* edit) { file_edit_ = edit; }

  // Reads the directory again; afterwards no file is selected.
  void Refill();

  // The directory joined with the selected name, or empty when nothing is
  // selected.
  QString FileName() const;

  // Joins a directory and a name with one "/", adding none when the
  // directory already ends in one; an empty name gives an empty text.
  static QString JoinFullName(const QString& directory, const QString& name);

  // Whether a file name matches one of the ";"-separated patterns of a mask.
  static bool MatchesMask(const QString& name, const QString& mask);

 signals:
  // After every change of selection and after every refill.
  void Changed();

 private:
  void RaiseChange();

  QString directory_;
  QString mask_ = QStringLiteral("*.*");
  QLineEdit* file_edit_ = nullptr;
  bool refilling_ = false;
};

}  // namespace ui

#endif  // OBTMIRROR_UI_WIDGETS_FILE_LIST_BOX_H_
