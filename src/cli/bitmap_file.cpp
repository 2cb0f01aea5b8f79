#include "cli/bitmap_file.h"

#include <cstring>
#include <initializer_list>
#include <string_view>

#include "cli/own_library.h"
#include "files/target_file.h"
#include "obt/ordered_output.h"
#include "preview/png_module.h"

namespace cli {
namespace {

// Writes `parts` one after the other as the file `path`, the way a run
// writes its target: an existing image is replaced only by a complete one.
std::string WriteParts(const std::string& path,
                       std::initializer_list<std::string_view> parts) {
  files::TargetFile target;
  if (const int error = target.OpenAnyName(path); error != 0) {
    return std::strerror(error);
  }
  for (const std::string_view part : parts) {
    if (const int error =
            obt::WriteFully(target.fd(), part.data(), part.size());
        error != 0) {
      target.Abandon();
      return std::strerror(error);
    }
  }
  if (const int error = target.Commit(); error != 0) {
    return std::strerror(error);
  }
  return {};
}

}  // namespace

std::string WritePbm(const preview::PreviewBitmap& bitmap,
                     const std::string& path) {
  const std::string header = "P4\n" + std::to_string(bitmap.width()) + " " +
                             std::to_string(bitmap.height()) + "\n";
  // The rows lie one after the other, padded as P4 pads them.
  const std::string_view rows(
      reinterpret_cast<const char*>(bitmap.Row(0)),
      bitmap.bytes_per_row() * static_cast<std::size_t>(bitmap.height()));
  return WriteParts(path, {header, rows});
}

std::string WritePng(const preview::PreviewBitmap& bitmap,
                     const std::string& path) {
  std::string error;
  const auto encode =
      reinterpret_cast<preview::EncodePngFunction>(cli::FindInOwnLibrary(
          preview::kPngModuleFile, preview::kEncodePngSymbol, error));
  if (encode == nullptr) return "cannot load the PNG writer: " + error;
  std::string encoded;
  // Row() gives the rows one after the other.
  if (!encode({bitmap.width(), bitmap.height(), bitmap.bytes_per_row(),
               bitmap.Row(0)},
              encoded, error)) {
    return error;
  }
  return WriteParts(path, {encoded});
}

std::string WriteFailureLine(const std::string& path,
                             const std::string& reason) {
  // An empty name would leave nothing to read between "write" and ":".
  const std::string shown = path.empty() ? "\"\"" : path;
  return "obtmirror-cli: cannot write " + shown + ": " + reason;
}

std::string WritePng(const picture::RgbImage& image, const std::string& path) {
  std::string error;
  const auto encode =
      reinterpret_cast<preview::EncodeColourPngFunction>(cli::FindInOwnLibrary(
          preview::kPngModuleFile, preview::kEncodeColourPngSymbol, error));
  if (encode == nullptr) return "cannot load the PNG writer: " + error;
  std::string encoded;
  if (!encode({image.width(), image.height(), image.bytes()}, encoded, error)) {
    return error;
  }
  return WriteParts(path, {encoded});
}

}  // namespace cli
