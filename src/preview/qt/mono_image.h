#ifndef OBTMIRROR_PREVIEW_QT_MONO_IMAGE_H_
#define OBTMIRROR_PREVIEW_QT_MONO_IMAGE_H_

#include <QImage>

#include "preview/mono_picture.h"

namespace preview {

// The picture as a one-bit image, white and black; a null image when Qt
// cannot hold one that large.
QImage MonoImage(const MonoPicture& picture);

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_QT_MONO_IMAGE_H_
