#ifndef OBTMIRROR_CLI_IMPORT_COMMAND_H_
#define OBTMIRROR_CLI_IMPORT_COMMAND_H_

#include <CLI/CLI.hpp>
#include <string>

#include "mesh/import_options.h"
#include "mesh/reader_process.h"

namespace cli {

// "obtmirror-cli import MESH TARGET": the triangles of a mesh file from
// another program as a version 2 OBT file.
class ImportCommand {
 public:
  explicit ImportCommand(CLI::App& app);

  CLI::App* subcommand() const { return subcommand_; }

  // Imports and writes; returns the exit status.
  int Run() const;

 private:
  CLI::App* subcommand_;
  std::string mesh_;
  std::string target_;
  mesh::ImportOptions options_;
  mesh::ReaderLimits limits_;
  bool quiet_ = false;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_IMPORT_COMMAND_H_
