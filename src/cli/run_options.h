#ifndef OBTMIRROR_CLI_RUN_OPTIONS_H_
#define OBTMIRROR_CLI_RUN_OPTIONS_H_

#include <CLI/CLI.hpp>
#include <array>
#include <string>
#include <vector>

#include "work/run_inputs.h"

namespace cli {

// The options that say how a run mirrors (-x, -y, -z, --from, --to,
// --clip), the same on every command that describes a run.
struct RunOptions {
  // Registers the options on `command`; they write into this object, which
  // must stay where it is while the command parses.
  void AddTo(CLI::App* command);

  // The inputs of a run of `source_name` with these options.
  work::RunInputs InputsFor(std::string source_name) const;

  // What the centre texts that the run does not take whole are taken as,
  // one note an axis: `y "1 0,5" taken as 105`. A text out of range gets
  // none: the run refuses it and says so itself.
  std::vector<std::string> CentreNotes() const;

  std::string centre_x = "0";
  std::string centre_y = "0";
  std::string centre_z = "0";
  std::array<bool, 8> source_octant{true};
  std::array<bool, 8> target_octants{false, true};
  bool clip = false;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_RUN_OPTIONS_H_
