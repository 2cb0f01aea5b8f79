#ifndef OBTMIRROR_CLI_OWN_LIBRARY_H_
#define OBTMIRROR_CLI_OWN_LIBRARY_H_

#include <string>

namespace cli {

// The address of `symbol` in the library `file` of the program's own
// library folder, which lies beside the folder of the program itself, in
// the build tree as once installed. The library is loaded on the first
// call and stays. Null, with the reason in `error`, when it cannot be
// loaded or lacks the symbol.
void* FindInOwnLibrary(const char* file, const char* symbol,
                       std::string& error);

}  // namespace cli

#endif  // OBTMIRROR_CLI_OWN_LIBRARY_H_
