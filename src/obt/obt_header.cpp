#include "obt/obt_header.h"

#include "obt/obt_format.h"

namespace obt {

bool ReadObtHeader(TextReader& reader, ObtHeader& header) {
  header.magic_text = reader.ReadLineText(kMagicLine.size() + 1);
  if (header.magic_text != kMagicLine) return false;
  reader.SkipToNextLine();
  header.version_text = reader.ReadLineText(kVersion1Line.size() + 1);
  if (header.version_text != kVersion1Line &&
      header.version_text != kVersion2Line) {
    return false;
  }
  reader.SkipToNextLine();
  return true;
}

}  // namespace obt
