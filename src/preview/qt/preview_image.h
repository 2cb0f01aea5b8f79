#ifndef OBTMIRROR_PREVIEW_QT_PREVIEW_IMAGE_H_
#define OBTMIRROR_PREVIEW_QT_PREVIEW_IMAGE_H_

#include <QImage>

#include "preview/preview_bitmap.h"

namespace preview {

// The bitmap as a one-bit image, white and black, to show on the paint box
// or to save; a null image when Qt cannot hold one that large.
QImage PreviewImage(const PreviewBitmap& bitmap);

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_QT_PREVIEW_IMAGE_H_
