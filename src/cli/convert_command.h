#ifndef OBTMIRROR_CLI_CONVERT_COMMAND_H_
#define OBTMIRROR_CLI_CONVERT_COMMAND_H_

#include <CLI/CLI.hpp>
#include <string>

#include "cli/run_options.h"

namespace cli {

// "obtmirror-cli convert SOURCE TARGET": one conversion run, as a
// "Berechnen" button starts it in the window.
class ConvertCommand {
 public:
  explicit ConvertCommand(CLI::App& app);

  CLI::App* subcommand() const { return subcommand_; }

  // Runs the conversion and returns the exit status.
  int Run() const;

 private:
  CLI::App* subcommand_;
  std::string source_;
  std::string target_;
  RunOptions options_;
  bool quiet_ = false;
  bool weld_ = false;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_CONVERT_COMMAND_H_
