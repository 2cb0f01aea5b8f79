#ifndef OBTMIRROR_CLI_CONVERT_COMMAND_H_
#define OBTMIRROR_CLI_CONVERT_COMMAND_H_

#include <CLI/CLI.hpp>
#include <array>
#include <string>

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
  std::string centre_x_ = "0";
  std::string centre_y_ = "0";
  std::string centre_z_ = "0";
  std::array<bool, 8> source_octant_{true};
  std::array<bool, 8> target_octants_{false, true};
  bool quiet_ = false;
  bool weld_ = false;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_CONVERT_COMMAND_H_
