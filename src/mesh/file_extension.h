#ifndef OBTMIRROR_MESH_FILE_EXTENSION_H_
#define OBTMIRROR_MESH_FILE_EXTENSION_H_

#include <cctype>
#include <string>
#include <string_view>

namespace mesh {

// What follows the last dot of a file name's last component, in lower
// case; empty when there is no dot there.
inline std::string LowerExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos ||
      name.find('/', dot) != std::string_view::npos) {
    return "";
  }
  std::string extension(name.substr(dot + 1));
  for (char& c : extension) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return extension;
}

}  // namespace mesh

#endif  // OBTMIRROR_MESH_FILE_EXTENSION_H_
