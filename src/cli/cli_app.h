#ifndef OBTMIRROR_CLI_CLI_APP_H_
#define OBTMIRROR_CLI_CLI_APP_H_

#include <CLI/CLI.hpp>

#include "cli/check_command.h"
#include "cli/convert_command.h"
#include "cli/export_command.h"
#include "cli/import_command.h"
#include "cli/preview_command.h"

namespace cli {

// The argument parser of obtmirror-cli with every command registered; the
// program and the argument fuzzer parse with the very same one.
struct CliApp {
  CliApp();
  CliApp(const CliApp&) = delete;
  CliApp& operator=(const CliApp&) = delete;

  // Declared first: the commands register themselves on it.
  CLI::App app;
  const ConvertCommand convert;
  const PreviewCommand preview;
  const ImportCommand import_mesh;
  const ExportCommand export_mesh;
  const CheckCommand check;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_CLI_APP_H_
