#include "cli/bitmap_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "obt/ordered_output.h"
#include "obt/target_file.h"
#include "preview/qt/preview_image.h"

namespace cli {
namespace {

// Writes `parts` one after the other as the file `path`, the way a run
// writes its target: an existing image is replaced only by a complete one.
std::string WriteParts(const std::string& path,
                       std::initializer_list<std::string_view> parts) {
  obt::TargetFile target;
  if (const int error = target.OpenAnyName(path); error != 0) {
    return std::strerror(error);
  }
  for (const std::string_view part : parts) {
    if (const int error =
            obt::WriteFully(target.fd(), part.data(), part.size());
        error != 0) {
      target.Abandon();
      return std::strerror(error);
    }
  }
  if (const int error = target.Commit(); error != 0) {
    return std::strerror(error);
  }
  return {};
}

}  // namespace

std::string WritePbm(const preview::PreviewBitmap& bitmap,
                     const std::string& path) {
  const std::string header = "P4\n" + std::to_string(bitmap.width()) + " " +
                             std::to_string(bitmap.height()) + "\n";
  // The rows lie one after the other, padded as P4 pads them.
  const std::string_view rows(
      reinterpret_cast<const char*>(bitmap.Row(0)),
      bitmap.bytes_per_row() * static_cast<std::size_t>(bitmap.height()));
  return WriteParts(path, {header, rows});
}

// Qt encodes into memory, so that every byte reaches the file through
// writes whose failures are seen. PNG support is built into Qt Gui: no
// application object and no plugin is needed.
std::string WritePng(const preview::PreviewBitmap& bitmap,
                     const std::string& path) {
  const QImage image = preview::PreviewImage(bitmap);
  if (image.isNull() && bitmap.width() > 0 && bitmap.height() > 0) {
    return "the image is too large";
  }
  QByteArray encoded;
  QBuffer buffer(&encoded);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) return writer.errorString().toStdString();
  return WriteParts(
      path, {std::string_view(encoded.constData(),
                              static_cast<std::size_t>(encoded.size()))});
}

}  // namespace cli
