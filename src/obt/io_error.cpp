#include "obt/io_error.h"

#include <cerrno>

namespace obt {

int IoCodeFromErrno(int errno_value) {
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
      return errno_value;
  }
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
