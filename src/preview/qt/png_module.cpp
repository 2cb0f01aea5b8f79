// The library that the command line loads to write PNG files.
#include "preview/png_module.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageWriter>

#include "preview/qt/mono_image.h"

namespace {

// PNG support is built into Qt Gui: no application object and no plugin is
// needed. Qt encodes into memory, so that the caller writes every byte
// through writes whose failures are seen.
bool Encode(const QImage& image, std::string& encoded, std::string& error) {
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

}  // namespace

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
  return Encode(image, encoded, error);
}

extern "C" __attribute__((visibility("default"))) bool
obtmirror_encode_colour_png(const preview::ColourPicture& picture,
                            std::string& encoded, std::string& error) {
  static_assert(std::is_same_v<decltype(&obtmirror_encode_colour_png),
                               preview::EncodeColourPngFunction>);
  // The rows are read where they lie; nothing is copied.
  const QImage image(picture.rgb, picture.width, picture.height,
                     static_cast<qsizetype>(picture.width) * 3,
                     QImage::Format_RGB888);
  if (image.isNull() && picture.width > 0 && picture.height > 0) {
    error = "the image is too large";
    return false;
  }
  return Encode(image, encoded, error);
}
