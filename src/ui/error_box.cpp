#include "ui/error_box.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ui {

QString ApplicationTitle(const QString& program_path) {
  QString name = QFileInfo(program_path).fileName();
  const qsizetype dot = name.indexOf(QLatin1Char('.'));
  if (dot >= 0) name.truncate(dot);
  name = name.toLower();
  if (!name.isEmpty()) name[0] = name[0].toUpper();
  return name;
}

void ShowErrorBox(MessageBoxes& boxes, QWidget* parent,
                  const QString& message) {
  boxes.Show({message + QLatin1Char('.'),
              ApplicationTitle(QCoreApplication::applicationFilePath()),
              QMessageBox::Critical},
             parent);
}

}  // namespace ui
