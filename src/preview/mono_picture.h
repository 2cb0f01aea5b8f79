#ifndef OBTMIRROR_PREVIEW_MONO_PICTURE_H_
#define OBTMIRROR_PREVIEW_MONO_PICTURE_H_

#include <cstddef>
#include <cstdint>

namespace preview {

// A one-bit picture as plain data: `height` rows of `bytes_per_row` bytes
// one after the other, eight pixels a byte with the leftmost in the top
// bit, 1 for black. What the preview bitmap's rows are.
struct MonoPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::size_t bytes_per_row = 0;
  const uint8_t* rows = nullptr;
};

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_MONO_PICTURE_H_
