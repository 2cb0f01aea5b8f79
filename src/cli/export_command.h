#ifndef OBTMIRROR_CLI_EXPORT_COMMAND_H_
#define OBTMIRROR_CLI_EXPORT_COMMAND_H_

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

// "obtmirror-cli export SOURCE MESH": the object of an OBT file as a mesh
// file for other programs.
class ExportCommand {
 public:
  explicit ExportCommand(CLI::App& app);

  CLI::App* subcommand() const { return subcommand_; }

  // Reads, exports and writes; returns the exit status.
  int Run() const;

 private:
  CLI::App* subcommand_;
  std::string source_;
  std::string mesh_;
  std::string format_id_;
  double scale_ = 1;
  bool quiet_ = false;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_EXPORT_COMMAND_H_
