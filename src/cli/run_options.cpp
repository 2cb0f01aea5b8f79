#include "cli/run_options.h"

#include <array>
#include <optional>

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

using Octants = std::array<bool, 8>;

// An option whose text `parse` turns into checked octants; a text it
// refuses is a usage error: "'TEXT' " and `refusal`.
void AddOctantOption(CLI::App* app, const std::string& name,
                     const std::string& type,
                     std::optional<Octants> (*parse)(const std::string&),
                     const std::string& refusal, const std::string& help,
                     Octants& checked) {
  app->add_option_function<std::string>(
         name,
         [name, parse, refusal, &checked](const std::string& text) {
           const std::optional<Octants> parsed = parse(text);
           if (!parsed) {
             throw CLI::ValidationError(name, "'" + text + "' " + refusal);
           }
           checked = *parsed;
         },
         help)
      ->type_name(type);
}

}  // namespace

void RunOptions::AddTo(CLI::App* command) {
  AddCentreOption(command, "-x,--centre-x", centre_x, "X");
  AddCentreOption(command, "-y,--centre-y", centre_y, "Y");
  AddCentreOption(command, "-z,--centre-z", centre_z, "Z");
  AddOctantOption(command, "--from", "CODE", ParseSourceOctant,
                  "is no octant code (1, 2, 4, 8, 16, 32, 64 or 128)",
                  "the octant the source object lies in: 1, 2, 4, 8, 16, 32, "
                  "64 or 128 (default 1)",
                  source_octant);
  AddOctantOption(command, "--to", "LIST", ParseTargetOctants,
                  "is no list of octant codes (for example 2,4,64), 'all' or "
                  "'none'",
                  "the octants to mirror into: codes separated by commas, "
                  "'all' or 'none' (default 2)",
                  target_octants);
  command->add_flag(
      "--clip", clip,
      "first cut the source at the mirror planes it crosses and drop what "
      "lies beyond them, exactly, so that its copies meet instead of "
      "overlapping");
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
