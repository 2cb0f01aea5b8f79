#include "cli/convert_command.h"

#include <iostream>
#include <memory>

#include "cli/exit_codes.h"
#include "cli/failure_line.h"
#include "cli/full_path.h"
#include "cli/octant_option.h"
#include "cli/terminal_progress.h"
#include "geometry/weld_stage.h"
#include "mirror/mirror_centre.h"
#include "obt/conversion_job.h"
#include "obt/io_error.h"
#include "obt/pending_io_error.h"

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

// Why a weld refused the triangles.
std::string CornerLine(const geometry::CornerOutOfRange& corner) {
  std::string line = "obtmirror-cli: cannot weld: triangle " +
                     std::to_string(corner.triangle + 1) + " names point " +
                     std::to_string(corner.point) + ", but the object has ";
  if (corner.points == 0) return line + "no points";
  return line + "points 0 to " + std::to_string(corner.points - 1) + " only";
}

// The centre is taken as the window takes it, which may drop characters
// without a word ("1e9" gives 19); a script is told what was taken.
void WarnOfCentreText(char axis, const std::string& text) {
  const mirror::CentreReading reading = mirror::ReadCentreText(text);
  // A value out of range refuses the run, which says so itself.
  if (reading.taken_whole || !reading.value) return;
  std::cerr << "obtmirror-cli: warning: centre " << axis << " \"" << text
            << "\" taken as " << *reading.value << '\n';
}

}  // namespace

ConvertCommand::ConvertCommand(CLI::App& app)
    : subcommand_(app.add_subcommand(
          "convert",
          "Mirror the object of SOURCE into the chosen octants and write the "
          "combined object to TARGET")) {
  subcommand_->add_option("SOURCE", source_, "the source OBT file")->required();
  subcommand_->add_option("TARGET", target_, "the target OBT file")->required();
  AddCentreOption(subcommand_, "-x,--centre-x", centre_x_, "X");
  AddCentreOption(subcommand_, "-y,--centre-y", centre_y_, "Y");
  AddCentreOption(subcommand_, "-z,--centre-z", centre_z_, "Z");
  subcommand_
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
            source_octant_ = *checked;
          },
          "the octant the source object lies in: 1, 2, 4, 8, 16, 32, 64 or "
          "128 (default 1)")
      ->type_name("CODE");
  subcommand_
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
            target_octants_ = *checked;
          },
          "the octants to mirror into: codes separated by commas, 'all' or "
          "'none' (default 2)")
      ->type_name("LIST");
  subcommand_->add_flag("--quiet", quiet_, "draw no progress bar");
  subcommand_->add_flag(
      "--weld", weld_,
      "write the result as one mesh: coinciding points merged, triangles "
      "that cancel or repeat others dropped");
}

int ConvertCommand::Run() const {
  obt::PendingIoError pending;
  obt::ConversionJob job(pending);
  job.set_target_name(FullPath(target_));
  geometry::WeldStage weld;
  if (weld_) job.set_result_stage(&weld);

  work::RunInputs inputs;
  inputs.source_name = FullPath(source_);
  inputs.centre_x_text = centre_x_;
  inputs.centre_y_text = centre_y_;
  inputs.centre_z_text = centre_z_;
  inputs.source_octant_checked = source_octant_;
  inputs.target_octant_checked = target_octants_;

  WarnOfCentreText('x', centre_x_);
  WarnOfCentreText('y', centre_y_);
  WarnOfCentreText('z', centre_z_);
  std::unique_ptr<work::Feedback> feedback = StderrProgress(quiet_);

  try {
    const obt::RunResult result = job.RunConversionJob(inputs, *feedback);
    feedback.reset();
    if (result == obt::RunResult::kSucceeded) {
      if (weld_) {
        std::cout << "welded: " << weld.points_merged() << " points merged, "
                  << weld.triangles_dropped() << " triangles dropped\n";
      }
      std::cout << obt::StatusText(result) << '\n';
      return kExitSucceeded;
    }
    if (result == obt::RunResult::kFileNameError) {
      std::cerr << FailureLine(job.file_name_failure()) << '\n';
    }
    if (const auto& corner = weld.corner_out_of_range()) {
      std::cerr << CornerLine(*corner) << '\n';
    }
    std::cerr << obt::StatusText(result) << '\n';
    return kExitReported;
  } catch (const obt::IoError& error) {
    feedback.reset();
    std::cerr << error.what() << ".\n";
    return kExitIoError;
  }
}

}  // namespace cli
