#ifndef OBTMIRROR_CLI_CHECKED_OPTION_H_
#define OBTMIRROR_CLI_CHECKED_OPTION_H_

#include <CLI/CLI.hpp>
#include <string>
#include <type_traits>

namespace cli {

// An option whose text `parse` turns into a value (an optional) that `take`
// stores; a text it refuses is a usage error saying "'TEXT' is EXPECTED".
// EXPECTED is a string, or a function that makes it only when it is needed.
template <typename Expected, typename Parse, typename Take>
CLI::Option* AddCheckedOption(CLI::App* app, const std::string& name,
                              const std::string& type_name, Expected expected,
                              Parse parse, Take take, const std::string& help) {
  return app
      ->add_option_function<std::string>(
          name,
          [name, expected, parse, take](const std::string& text) {
            const auto value = parse(text);
            if (!value) {
              std::string what;
              if constexpr (std::is_invocable_v<const Expected&>) {
                what = expected();
              } else {
                what = expected;
              }
              throw CLI::ValidationError(name, "'" + text + "' is " + what);
            }
            take(*value);
          },
          help)
      ->type_name(type_name);
}

}  // namespace cli

#endif  // OBTMIRROR_CLI_CHECKED_OPTION_H_
