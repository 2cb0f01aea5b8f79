#include "cli/convert_command.h"

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

#include "cli/clipped_source.h"
#include "cli/exit_codes.h"
#include "cli/failure_line.h"
#include "cli/full_path.h"
#include "cli/terminal_progress.h"
#include "geometry/weld_stage.h"
#include "obt/io_error.h"
#include "obt/obt_object.h"
#include "obt/pending_io_error.h"
#include "run/conversion_job.h"
#include "work/feedback.h"

namespace cli {
namespace {

// The line of `source` that holds triangle `triangle`, or 0 when that
// cannot be told. The run counts no lines, so the file is read again by
// the same rules; only a regular file, as a pipe or a device could keep
// the read waiting or give other bytes the second time.
int64_t TriangleLine(const std::string& source, std::size_t triangle) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(source, error)) return 0;
  obt::ObtObject object;
  work::NullFeedback feedback;
  if (obt::ReadObtFile(source, object, feedback).status !=
          obt::ObtReadOutcome::Status::kRead ||
      triangle >= object.triangles.size()) {
    return 0;
  }
  return object.triangle_lines.LineOf(static_cast<int64_t>(triangle));
}

// Why a weld refused the triangles, numbered and placed as check and
// export place them.
std::string CornerLine(const geometry::CornerOutOfRange& corner,
                       const std::string& source) {
  std::string line = "obtmirror-cli: cannot weld: ";
  if (const int64_t at = TriangleLine(source, corner.triangle); at != 0) {
    line += "line " + std::to_string(at) + ": ";
  }
  line += "triangle " + std::to_string(corner.triangle) + " names point " +
          std::to_string(corner.point) + ", but the object has ";
  if (corner.points == 0) return line + "no points";
  return line + "points 0 to " + std::to_string(corner.points - 1) + " only";
}

// The centre is taken as the window takes it, which may drop characters
// without a word ("1e9" gives 19); a script is told what was taken.
void WarnOfCentreTexts(const RunOptions& options) {
  for (const std::string& note : options.CentreNotes()) {
    std::cerr << "obtmirror-cli: warning: centre " << note << '\n';
  }
}

}  // namespace

ConvertCommand::ConvertCommand(CLI::App& app)
    : subcommand_(app.add_subcommand(
          "convert",
          "Mirror the object of SOURCE into the chosen octants and write the "
          "combined object to TARGET")) {
  subcommand_->add_option("SOURCE", source_, "the source OBT file")->required();
  subcommand_->add_option("TARGET", target_, "the target OBT file")->required();
  options_.AddTo(subcommand_);
  subcommand_->add_flag("--quiet", quiet_, "draw no progress bar");
  subcommand_->add_flag(
      "--weld", weld_,
      "write the result as one mesh: coinciding points merged, triangles "
      "that cancel or repeat others dropped");
  subcommand_->footer(
      "Exit status: 0 when the run ends with \"Berechnung der 3D-Daten "
      "erfolgreich beendet\" (on standard output); 1 when it ends with "
      "another status line (on standard error; \"Fehler in Dateinamen "
      "aufgetreten\" after a line with the file and the reason); 2 when an "
      "I/O error stops it (its message on standard error); 64 for wrong "
      "arguments; 74 when standard output cannot be written.");
}

int ConvertCommand::Run() const {
  obt::PendingIoError pending;
  run::ConversionJob job(pending);
  job.set_target_name(FullPath(target_));
  geometry::WeldStage weld;
  if (weld_) job.set_result_stage(&weld);

  work::RunInputs inputs = options_.InputsFor(FullPath(source_));
  WarnOfCentreTexts(options_);
  std::optional<ClippedSource> clipped;
  if (options_.clip) {
    clipped.emplace(inputs, job.target_name());
    if (clipped->not_regular()) {
      std::cerr << "obtmirror-cli: cannot clip: " << inputs.source_name
                << " is no regular file, which the cut would have to read "
                   "before the run\n";
      return kExitReported;
    }
    if (const int64_t t = clipped->counts().bad_triangle; t >= 0) {
      std::cerr << "obtmirror-cli: cannot clip: triangle " << t
                << " names a point the object lacks\n"
                << run::StatusText(run::RunResult::kInvalidPointNumber) << '\n';
      return kExitReported;
    }
    if (const int error = clipped->write_error(); error != 0) {
      std::cerr << "obtmirror-cli: cannot clip: " << obt::IoErrorMessage(error)
                << ".\n";
      return kExitIoError;
    }
    inputs.source_name = clipped->path();
  }
  std::unique_ptr<work::Feedback> feedback = StderrProgress(quiet_);

  try {
    const run::RunResult result = job.RunConversionJob(inputs, *feedback);
    feedback.reset();
    if (result == run::RunResult::kSucceeded) {
      if (clipped) std::cout << clipped->Line() << '\n';
      if (weld_) {
        std::cout << "welded: " << weld.points_merged() << " points merged, "
                  << weld.triangles_dropped() << " triangles dropped\n";
      }
      std::cout << run::StatusText(result) << '\n';
      return kExitSucceeded;
    }
    if (result == run::RunResult::kFileNameError) {
      std::cerr << FailureLine(job.file_name_failure()) << '\n';
    }
    if (const auto& corner = weld.corner_out_of_range()) {
      std::cerr << CornerLine(*corner, FullPath(source_)) << '\n';
    }
    std::cerr << run::StatusText(result) << '\n';
    return kExitReported;
  } catch (const obt::IoError& error) {
    feedback.reset();
    std::cerr << error.what() << ".\n";
    return kExitIoError;
  }
}

}  // namespace cli
