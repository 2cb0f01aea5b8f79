#ifndef OBTMIRROR_OBT_FILE_IDENTITY_H_
#define OBTMIRROR_OBT_FILE_IDENTITY_H_

#include <string>

namespace obt {

// True when both paths exist and lead to the same file, whatever their
// spelling: another letter case on a folding file system, "..", doubled
// slashes, a symbolic link or a hard link.
bool NameSameFile(const std::string& first, const std::string& second);

}  // namespace obt

#endif  // OBTMIRROR_OBT_FILE_IDENTITY_H_
