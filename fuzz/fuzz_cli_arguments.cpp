// The command line's argument handling: the input, split at NUL bytes, is
// the argument list after the program name, parsed by obtmirror-cli's own
// parser with every command registered. Only the parse runs; no command
// does.
#include <CLI/CLI.hpp>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_app.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  std::vector<std::string> words = {"obtmirror-cli"};
  std::string word;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      words.push_back(word);
      word.clear();
    } else {
      word.push_back(static_cast<char>(data[i]));
    }
  }
  words.push_back(word);
  std::vector<const char*> argv;
  for (const std::string& each : words) argv.push_back(each.c_str());
  argv.push_back(nullptr);

  // A new parser for every input, as every run of the program has one.
  cli::CliApp cli_app;
  try {
    cli_app.app.parse(static_cast<int>(words.size()), argv.data());
    // Whatever got through names exactly one command.
    const int named = cli_app.convert.subcommand()->parsed() +
                      cli_app.preview.subcommand()->parsed() +
                      cli_app.import_mesh.subcommand()->parsed() +
                      cli_app.export_mesh.subcommand()->parsed() +
                      cli_app.check.subcommand()->parsed();
    if (named != 1) __builtin_trap();
  } catch (const CLI::ParseError&) {
  }
  return 0;
}
