#include "cli/full_path.h"

#include <filesystem>
#include <system_error>

namespace cli {

std::string FullPath(const std::string& argument) {
  if (argument.empty() || argument.front() == '/') return argument;
  std::error_code error;
  std::string directory = std::filesystem::current_path(error).string();
  if (error) return argument;
  if (directory.empty() || directory.back() != '/') directory += '/';
  return directory + argument;
}

}  // namespace cli
