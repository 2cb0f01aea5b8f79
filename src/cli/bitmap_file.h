#ifndef OBTMIRROR_CLI_BITMAP_FILE_H_
#define OBTMIRROR_CLI_BITMAP_FILE_H_

#include <string>

#include "preview/preview_bitmap.h"

namespace cli {

// Writers of the drawn preview. Each returns an empty string when the file
// is written, else why it is not. An existing file is replaced only by a
// complete image, and keeps its mode; a device or FIFO is written directly.

// A binary PBM (P4): 1 = black, rows padded to whole bytes.
std::string WritePbm(const preview::PreviewBitmap& bitmap,
                     const std::string& path);

// A one-bit PNG, white and black.
std::string WritePng(const preview::PreviewBitmap& bitmap,
                     const std::string& path);

}  // namespace cli

#endif  // OBTMIRROR_CLI_BITMAP_FILE_H_
