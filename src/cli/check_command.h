#ifndef OBTMIRROR_CLI_CHECK_COMMAND_H_
#define OBTMIRROR_CLI_CHECK_COMMAND_H_

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>

#include "cli/picture_options.h"
#include "cli/run_options.h"

namespace cli {

// "obtmirror-cli check SOURCE": what the run that the options describe
// would make of SOURCE, told before anything is written.
class CheckCommand {
 public:
  explicit CheckCommand(CLI::App& app);

  CLI::App* subcommand() const { return subcommand_; }

  // CheckSource on SOURCE, to standard output and error.
  int Run() const;

 private:
  CLI::App* subcommand_;
  std::string source_;
  RunOptions options_;
  bool json_ = false;
  ShadedRequest picture_;
};

// Reads the file at `path` (a full path) by the run's rules, reports on
// `out` what the run `options` describe would make of it, or on `err` why
// the run would refuse it, and returns the exit status: 0 when nothing
// spoils the result, 1 when something does or the run would refuse the
// file, 2 for a malformed number. With `picture` the result is drawn as
// well, with the findings marked where they lie, unless the run would
// refuse the file; 74 when that picture cannot be written.
int CheckSource(const std::string& path, const RunOptions& options, bool json,
                std::ostream& out, std::ostream& err,
                const ShadedRequest* picture = nullptr);

}  // namespace cli

#endif  // OBTMIRROR_CLI_CHECK_COMMAND_H_
