#ifndef OBTMIRROR_CLI_BITMAP_FILE_H_
#define OBTMIRROR_CLI_BITMAP_FILE_H_

#include <string>

#include "picture/rgb_image.h"
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

// The line that tells why the image file `path` was not written.
std::string WriteFailureLine(const std::string& path,
                             const std::string& reason);

// A colour PNG.
std::string WritePng(const picture::RgbImage& image, const std::string& path);

}  // namespace cli

#endif  // OBTMIRROR_CLI_BITMAP_FILE_H_
