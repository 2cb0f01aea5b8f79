#ifndef OBTMIRROR_PREVIEW_PNG_MODULE_H_
#define OBTMIRROR_PREVIEW_PNG_MODULE_H_

#include <string>

#include "preview/colour_picture.h"
#include "preview/mono_picture.h"

namespace preview {

// PNG encoding needs Qt Gui, which takes longer to load than most runs of
// the command line last; it lives in a library of its own, loaded only
// when a PNG file is written.
inline constexpr char kPngModuleFile[] = "obtmirror-png.so";
inline constexpr char kEncodePngSymbol[] = "obtmirror_encode_png";
inline constexpr char kEncodeColourPngSymbol[] = "obtmirror_encode_colour_png";

// Encodes `picture` as PNG into `encoded`; false, with the reason in
// `error`, when it cannot.
using EncodePngFunction = bool (*)(const MonoPicture& picture,
                                   std::string& encoded, std::string& error);
using EncodeColourPngFunction = bool (*)(const ColourPicture& picture,
                                         std::string& encoded,
                                         std::string& error);

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_PNG_MODULE_H_
