// The library that the command line loads to write PNG files.
#include "preview/png_module.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

#include "preview/qt/mono_image.h"

// PNG support is built into Qt Gui: no application object and no plugin is
// needed. Qt encodes into memory, so that the caller writes every byte
// through writes whose failures are seen.
extern "C" __attribute__((visibility("default"))) bool obtmirror_encode_png(
    const preview::MonoPicture& picture, std::string& encoded,
    std::string& error) {
  static_assert(std::is_same_v<decltype(&obtmirror_encode_png),
                               preview::EncodePngFunction>);
  const QImage image = preview::MonoImage(picture);
  if (image.isNull() && picture.width > 0 && picture.height > 0) {
    error = "the image is too large";
    return false;
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "png");
  if (!writer.write(image)) {
    error = writer.errorString().toStdString();
    return false;
  }
  encoded.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return true;
}
