#ifndef OBTMIRROR_PREVIEW_COLOUR_PICTURE_H_
#define OBTMIRROR_PREVIEW_COLOUR_PICTURE_H_

#include <cstdint>

namespace preview {

// A colour picture as plain data: `height` rows of `width` pixels one
// after the other, three bytes a pixel (red, green, blue). What a shaded
// picture's image is.
struct ColourPicture {
  int32_t width = 0;
  int32_t height = 0;
  const uint8_t* rgb = nullptr;
};

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_COLOUR_PICTURE_H_
