#ifndef OBTMIRROR_OBT_OBT_FORMAT_H_
#define OBTMIRROR_OBT_OBT_FORMAT_H_

#include <string_view>

namespace obt {

// The two header lines of an OBT file. Version 2 files end with one more
// line, "0", after the triangles.
inline constexpr std::string_view kMagicLine = "QZ_OBT";
inline constexpr std::string_view kVersion1Line = "1.000000";
inline constexpr std::string_view kVersion2Line = "2.000000";
static_assert(kVersion1Line.size() == kVersion2Line.size());

}  // namespace obt

#endif  // OBTMIRROR_OBT_OBT_FORMAT_H_
