#include "preview/qt/preview_image.h"

#include <cstring>

namespace preview {

QImage PreviewImage(const PreviewBitmap& bitmap) {
  QImage image(bitmap.width(), bitmap.height(), QImage::Format_Mono);
  if (image.isNull()) return image;
  // Format_Mono keeps the leftmost pixel in the top bit, as the bitmap does,
  // so whole rows copy as they are.
  image.setColorCount(2);
  image.setColor(0, qRgb(255, 255, 255));
  image.setColor(1, qRgb(0, 0, 0));
  for (int32_t row = 0; row < bitmap.height(); ++row) {
    std::memcpy(image.scanLine(row), bitmap.Row(row), bitmap.bytes_per_row());
  }
  return image;
}

}  // namespace preview
