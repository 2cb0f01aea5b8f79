#ifndef OBTMIRROR_CLI_CHECKED_OPTION_H_
#define OBTMIRROR_CLI_CHECKED_OPTION_H_

#include <CLI/CLI.hpp>
#include <string>

namespace cli {

// An option whose text `parse` turns into a value (an optional) that `take`
// stores; a text it refuses is a usage error saying "'TEXT' is EXPECTED".
template <typename Parse, typename Take>
CLI::Option* AddCheckedOption(CLI::App* app, const std::string& name,
                              const std::string& type_name,
                              const std::string& expected, Parse parse,
                              Take take, const std::string& help) {
  return app
      ->add_option_function<std::string>(
          name,
          [name, expected, parse, take](const std::string& text) {
            const auto value = parse(text);
            if (!value) {
              throw CLI::ValidationError(name, "'" + text + "' is " + expected);
            }
            take(*value);
          },
          help)
      ->type_name(type_name);
}

}  // namespace cli

#endif  // OBTMIRROR_CLI_CHECKED_OPTION_H_
