#include "support/reachable_program.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/child.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

bool NobodyCanStart(const std::string& program) {
  return Child([&] { return ::access(program.c_str(), X_OK) == 0 ? 0 : 1; },
               {.as_nobody = true})
             .Wait()
             .exit_status() == 0;
}

// Copies `from` to `to` with every folder on the way open to all.
void CopyOpen(const fs::path& from, const fs::path& to) {
  fs::copy(from, to,
           fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  for (const fs::directory_entry& entry :
       fs::recursive_directory_iterator(to)) {
    if (entry.is_directory()) ::chmod(entry.path().c_str(), 0755);
  }
}

}  // namespace

ReachableProgram::ReachableProgram(const std::string& program)
    : path_(program) {
  if (::geteuid() != 0 || NobodyCanStart(program)) return;
  copy_.emplace();
  const fs::path root = copy_->path();
  ::chmod(root.c_str(), 0755);
  // The program finds its libraries from where it lies: bin/ and lib/.
  const fs::path bin = fs::path(program).parent_path();
  fs::create_directory(root / "bin");
  ::chmod((root / "bin").c_str(), 0755);
  fs::copy_file(program, root / "bin" / fs::path(program).filename());
  if (fs::exists(bin.parent_path() / "lib")) {
    CopyOpen(bin.parent_path() / "lib", root / "lib");
  }
  path_ = (root / "bin" / fs::path(program).filename()).string();
}

}  // namespace testing_support
