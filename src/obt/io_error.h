#ifndef OBTMIRROR_OBT_IO_ERROR_H_
#define OBTMIRROR_OBT_IO_ERROR_H_

#include <stdexcept>
#include <string>

namespace obt {

// Codes of the text layer. The file system's own failures are mapped onto
// the first few by IoCodeFromErrno; any other failure keeps its errno value.
inline constexpr int kIoFileNotFound = 2;
inline constexpr int kIoInvalidFileName = 3;
inline constexpr int kIoTooManyOpenFiles = 4;
inline constexpr int kIoAccessDenied = 5;
inline constexpr int kIoReadPastEnd = 100;
inline constexpr int kIoDiskFull = 101;
inline constexpr int kIoFileNotOpen = 103;
inline constexpr int kIoInvalidNumber = 106;

// The code of a failed open, read, write or close, from the errno it left.
int IoCodeFromErrno(int errno_value);

// The German message the user sees for a code (without the closing ".").
std::string IoErrorMessage(int code);

// The same for a failure known only by its errno: the message of the code
// IoCodeFromErrno gives where the text layer names the failure, and
// "I/O-Fehler N" for the others, whose numbers would read as the layer's
// own codes (EIO is 5, "Dateizugriff verweigert").
std::string ErrnoMessage(int errno_value);

// Raised when a pending code is checked in the middle of work; it ends the
// work and reaches the front end's error box.
class IoError : public std::runtime_error {
 public:
  explicit IoError(int code);

  int code() const { return code_; }

 private:
  int code_;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_IO_ERROR_H_
