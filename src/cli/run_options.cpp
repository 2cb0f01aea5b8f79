#include "cli/run_options.h"

#include "cli/octant_option.h"
#include "mirror/mirror_centre.h"

namespace cli {
namespace {

// The centre texts are taken as the window's fields show them, so a value
// such as "-5" must not be mistaken for an option.
CLI::Option* AddCentreOption(CLI::App* app, const std::string& names,
                             std::string& text, const std::string& axis) {
  return app
      ->add_option(names, text,
                   "the text of the mirror centre's " + axis +
                       " field, filtered and converted as the window does")
      ->type_name("TEXT")
      ->allow_extra_args(false)
      ->capture_default_str();
}

}  // namespace

void RunOptions::AddTo(CLI::App* command) {
  AddCentreOption(command, "-x,--centre-x", centre_x, "X");
  AddCentreOption(command, "-y,--centre-y", centre_y, "Y");
  AddCentreOption(command, "-z,--centre-z", centre_z, "Z");
  command
      ->add_option_function<std::string>(
          "--from",
          [this](const std::string& text) {
            const auto checked = ParseSourceOctant(text);
            if (!checked) {
              throw CLI::ValidationError(
                  "--from", "'" + text +
                                "' is no octant code (1, 2, 4, 8, 16, 32, "
                                "64 or 128)");
            }
            source_octant = *checked;
          },
          "the octant the source object lies in: 1, 2, 4, 8, 16, 32, 64 or "
          "128 (default 1)")
      ->type_name("CODE");
  command
      ->add_option_function<std::string>(
          "--to",
          [this](const std::string& text) {
            const auto checked = ParseTargetOctants(text);
            if (!checked) {
              throw CLI::ValidationError(
                  "--to", "'" + text +
                              "' is no list of octant codes (for example "
                              "2,4,64), 'all' or 'none'");
            }
            target_octants = *checked;
          },
          "the octants to mirror into: codes separated by commas, 'all' or "
          "'none' (default 2)")
      ->type_name("LIST");
}

work::RunInputs RunOptions::InputsFor(std::string source_name) const {
  work::RunInputs inputs;
  inputs.source_name = std::move(source_name);
  inputs.centre_x_text = centre_x;
  inputs.centre_y_text = centre_y;
  inputs.centre_z_text = centre_z;
  inputs.source_octant_checked = source_octant;
  inputs.target_octant_checked = target_octants;
  return inputs;
}

std::vector<std::string> RunOptions::CentreNotes() const {
  std::vector<std::string> notes;
  const std::array<std::pair<char, const std::string*>, 3> axes = {
      {{'x', &centre_x}, {'y', &centre_y}, {'z', &centre_z}}};
  for (const auto& [axis, text] : axes) {
    const mirror::CentreReading reading = mirror::ReadCentreText(*text);
    if (reading.taken_whole || !reading.value) continue;
    notes.push_back(std::string(1, axis) + " \"" + *text + "\" taken as " +
                    std::to_string(*reading.value));
  }
  return notes;
}

}  // namespace cli
