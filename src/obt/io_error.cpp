#include "obt/io_error.h"

#include <cerrno>
#include <optional>

namespace obt {

namespace {

// The text layer's code for the failures it names; none for the others.
std::optional<int> NamedIoCode(int errno_value) {
  switch (errno_value) {
    case ENOENT:
      return kIoFileNotFound;
    case ENAMETOOLONG:
    case EINVAL:
      return kIoInvalidFileName;
    case EMFILE:
    case ENFILE:
      return kIoTooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return kIoAccessDenied;
    case ENOSPC:
    case EDQUOT:
      return kIoDiskFull;
    default:
      return std::nullopt;
  }
}

}  // namespace

int IoCodeFromErrno(int errno_value) {
  return NamedIoCode(errno_value).value_or(errno_value);
}

std::string ErrnoMessage(int errno_value) {
  const std::optional<int> code = NamedIoCode(errno_value);
  return code ? IoErrorMessage(*code)
              : "I/O-Fehler " + std::to_string(errno_value);
}

std::string IoErrorMessage(int code) {
  switch (code) {
    case kIoFileNotFound:
      return "Datei nicht gefunden";
    case kIoInvalidFileName:
      return "Ungültiger Dateiname";
    case kIoTooManyOpenFiles:
      return "Zu viele Dateien geöffnet";
    case kIoAccessDenied:
      return "Dateizugriff verweigert";
    case kIoReadPastEnd:
      return "Lesen nach Dateiende (EOF)";
    case kIoDiskFull:
      return "Kapazität der Diskette/Festplatte erschöpft";
    case kIoInvalidNumber:
      return "Ungültige numerische Eingabe";
    default:
      return "I/O-Fehler " + std::to_string(code);
  }
}

IoError::IoError(int code)
    : std::runtime_error(IoErrorMessage(code)), code_(code) {}

}  // namespace obt
