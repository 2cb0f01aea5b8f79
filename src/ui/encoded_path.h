#ifndef OBTMIRROR_UI_ENCODED_PATH_H_
#define OBTMIRROR_UI_ENCODED_PATH_H_

#include <QFile>
#include <QString>
#include <string>

namespace ui {

// A path as the file system spells it, for the engine.
inline std::string EncodedPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

}  // namespace ui

#endif  // OBTMIRROR_UI_ENCODED_PATH_H_
