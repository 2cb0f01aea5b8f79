#ifndef OBTMIRROR_CLI_FULL_PATH_H_
#define OBTMIRROR_CLI_FULL_PATH_H_

#include <string>

namespace cli {

// A relative path joined to the current directory by one "/" (none added
// when the directory already ends in one); nothing else is normalised. An
// empty argument stays empty, like a file list with nothing selected.
std::string FullPath(const std::string& argument);

}  // namespace cli

#endif  // OBTMIRROR_CLI_FULL_PATH_H_
