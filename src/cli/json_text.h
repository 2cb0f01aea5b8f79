#ifndef OBTMIRROR_CLI_JSON_TEXT_H_
#define OBTMIRROR_CLI_JSON_TEXT_H_

#include <string>
#include <string_view>

namespace cli {

// `bytes` as a JSON string, quotes included. Valid UTF-8 stays as it is;
// any other byte (a file name in another single-byte encoding) is taken as
// the Latin-1 character of that value, so the document is always valid.
std::string JsonString(std::string_view bytes);

}  // namespace cli

#endif  // OBTMIRROR_CLI_JSON_TEXT_H_
