#include "preview/qt/preview_image.h"

#include "preview/qt/mono_image.h"

namespace preview {

QImage PreviewImage(const PreviewBitmap& bitmap) {
  // Row() gives the rows one after the other.
  return MonoImage(
      {bitmap.width(), bitmap.height(), bitmap.bytes_per_row(), bitmap.Row(0)});
}

}  // namespace preview
