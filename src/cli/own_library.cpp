#include "cli/own_library.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace cli {
namespace {

// Relative to the program's folder; the build sets it to where the install
// puts the libraries, and lays out the build tree the same way.
#ifndef OBTMIRROR_LIBRARY_DIR
#error "OBTMIRROR_LIBRARY_DIR must name the library folder"
#endif

std::filesystem::path OwnLibraryFolder(std::error_code& error) {
  const std::filesystem::path program =
      std::filesystem::read_symlink("/proc/self/exe", error);
  return program.parent_path() / OBTMIRROR_LIBRARY_DIR;
}

}  // namespace

void* FindInOwnLibrary(const char* file, const char* symbol,
                       std::string& error) {
  std::error_code folder_error;
  const std::filesystem::path folder = OwnLibraryFolder(folder_error);
  if (folder_error) {
    error = "cannot find the program's own folder: " + folder_error.message();
    return nullptr;
  }
  const std::string path = (folder / file).lexically_normal().string();
  // Loaded once: later calls find the same handle.
  void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    error = ::dlerror();
    return nullptr;
  }
  void* address = ::dlsym(library, symbol);
  if (address == nullptr) error = path + " lacks " + symbol;
  return address;
}

}  // namespace cli
