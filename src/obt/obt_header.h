#ifndef OBTMIRROR_OBT_OBT_HEADER_H_
#define OBTMIRROR_OBT_OBT_HEADER_H_

#include <string>

#include "obt/text_reader.h"

namespace obt {

// The two header lines of an OBT file as read.
struct ObtHeader {
  std::string magic_text;
  std::string version_text;
};

// Reads the magic and version lines and moves past them. False, with the
// rest of the file unread, when they are not exactly those of an OBT file.
// Each line is read to one byte past its literal: a line that long can no
// longer match, so input without a line end (a device, a pipe that never
// sends a CR) is refused there instead of read for ever.
bool ReadObtHeader(TextReader& reader, ObtHeader& header);

}  // namespace obt

#endif  // OBTMIRROR_OBT_OBT_HEADER_H_
