#include "preview/qt/mono_image.h"

#include <cstring>

namespace preview {

QImage MonoImage(const MonoPicture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_Mono);
  if (image.isNull()) return image;
  // Format_Mono keeps the leftmost pixel in the top bit, as the picture
  // does, so whole rows copy as they are.
  image.setColorCount(2);
  image.setColor(0, qRgb(255, 255, 255));
  image.setColor(1, qRgb(0, 0, 0));
  for (int32_t row = 0; row < picture.height; ++row) {
    std::memcpy(
        image.scanLine(row),
        picture.rows + picture.bytes_per_row * static_cast<std::size_t>(row),
        picture.bytes_per_row);
  }
  return image;
}

}  // namespace preview
