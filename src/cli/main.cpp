#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/cli_app.h"
#include "cli/exit_codes.h"
#include "files/process_signals.h"

namespace {

// The help of the subcommand that was named, under its full name
// ("obtmirror-cli convert"), or of the tool itself.
std::string UsageOf(const CLI::App& app) {
  const std::vector<CLI::App*> named = app.get_subcommands();
  return named.empty() ? app.help() : named.front()->help(app.get_name());
}

}  // namespace

int main(int argc, char** argv) {
  files::SetUpProcessSignals();
  cli::CliApp cli_app;
  CLI::App& app = cli_app.app;
  const cli::ConvertCommand& convert = cli_app.convert;
  const cli::PreviewCommand& preview = cli_app.preview;
  const cli::ImportCommand& import_mesh = cli_app.import_mesh;
  const cli::ExportCommand& export_mesh = cli_app.export_mesh;
  const cli::CheckCommand& check = cli_app.check;

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << UsageOf(app);
    return cli::kExitSucceeded;
  } catch (const CLI::CallForVersion& version) {
    std::cout << "obtmirror-cli " << version.what() << '\n';
    return cli::kExitSucceeded;
  } catch (const CLI::ParseError& error) {
    std::cerr << "obtmirror-cli: " << error.what() << "\n\n" << UsageOf(app);
    return cli::kExitUsage;
  }

  int status = cli::kExitUsage;
  if (convert.subcommand()->parsed()) status = convert.Run();
  if (preview.subcommand()->parsed()) status = preview.Run();
  if (import_mesh.subcommand()->parsed()) status = import_mesh.Run();
  if (export_mesh.subcommand()->parsed()) status = export_mesh.Run();
  if (check.subcommand()->parsed()) status = check.Run();
  // With SIGPIPE ignored, a reader of standard output that went away shows
  // only here.
  if (!std::cout.flush()) {
    std::cerr << "obtmirror-cli: cannot write standard output\n";
    if (status == cli::kExitSucceeded) status = cli::kExitCannotWrite;
  }
  return status;
}
