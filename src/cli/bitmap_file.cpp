#include "cli/bitmap_file.h"

#include <QFile>
#include <QImageWriter>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "preview/qt/preview_image.h"

namespace cli {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string WritePbm(const preview::PreviewBitmap& bitmap,
                     const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return std::strerror(errno);
  int error = 0;
  if (std::fprintf(file.get(), "P4\n%d %d\n", bitmap.width(), bitmap.height()) <
      0) {
    error = errno;
  }
  for (int32_t row = 0; error == 0 && row < bitmap.height(); ++row) {
    if (std::fwrite(bitmap.Row(row), 1, bitmap.bytes_per_row(), file.get()) !=
        bitmap.bytes_per_row()) {
      error = errno != 0 ? errno : EIO;
    }
  }
  // The close may be what reports a full disk.
  if (std::fclose(file.release()) != 0 && error == 0) error = errno;
  return error == 0 ? std::string() : std::strerror(error);
}

// Qt's PNG support is built into Qt Gui, so no application object and no
// plugin is needed to save one.
std::string WritePng(const preview::PreviewBitmap& bitmap,
                     const std::string& path) {
  const QImage image = preview::PreviewImage(bitmap);
  if (image.isNull() && bitmap.width() > 0 && bitmap.height() > 0) {
    return "the image is too large";
  }
  QImageWriter writer(QFile::decodeName(QByteArray::fromStdString(path)),
                      "png");
  if (!writer.write(image)) return writer.errorString().toStdString();
  return {};
}

}  // namespace cli
