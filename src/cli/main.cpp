#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/convert_command.h"
#include "cli/exit_codes.h"
#include "cli/preview_command.h"

namespace {

// The help of the subcommand that was named, under its full name
// ("obtmirror-cli convert"), or of the tool itself.
std::string UsageOf(const CLI::App& app) {
  const std::vector<CLI::App*> named = app.get_subcommands();
  return named.empty() ? app.help() : named.front()->help(app.get_name());
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "Mirrors an object of an OBT file into any set of the eight octants "
      "around a mirror centre.",
      "obtmirror-cli"};
  app.require_subcommand(1);
  const cli::ConvertCommand convert(app);
  const cli::PreviewCommand preview(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << UsageOf(app);
    return cli::kExitSucceeded;
  } catch (const CLI::ParseError& error) {
    std::cerr << "obtmirror-cli: " << error.what() << "\n\n" << UsageOf(app);
    return cli::kExitUsage;
  }

  if (convert.subcommand()->parsed()) return convert.Run();
  if (preview.subcommand()->parsed()) return preview.Run();
  return cli::kExitUsage;
}
