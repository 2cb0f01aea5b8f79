#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/convert_command.h"
#include "cli/exit_codes.h"

int main(int argc, char** argv) {
  CLI::App app{
      "Mirrors an object of an OBT file into any set of the eight octants "
      "around a mirror centre.",
      "obtmirror-cli"};
  app.require_subcommand(1);
  const cli::ConvertCommand convert(app);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    const CLI::App* asked =
        app.get_subcommands().empty() ? &app : app.get_subcommands().front();
    std::cout << asked->help();
    return cli::kExitSucceeded;
  } catch (const CLI::ParseError& error) {
    const CLI::App* failed =
        app.get_subcommands().empty() ? &app : app.get_subcommands().front();
    std::cerr << "obtmirror-cli: " << error.what() << "\n\n" << failed->help();
    return cli::kExitUsage;
  }

  if (convert.subcommand()->parsed()) return convert.Run();
  return cli::kExitUsage;
}
