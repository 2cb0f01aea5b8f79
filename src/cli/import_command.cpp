#include "cli/import_command.h"

#include <charconv>
#include <iostream>
#include <memory>

#include "cli/exit_codes.h"
#include "cli/failure_line.h"
#include "cli/full_path.h"
#include "cli/mesh_options.h"
#include "cli/octant_option.h"
#include "cli/terminal_progress.h"
#include "mesh/mesh_import.h"
#include "mirror/octant_table.h"
#include "obt/file_identity.h"
#include "obt/io_error.h"
#include "obt/obt_object.h"
#include "obt/status_texts.h"

namespace cli {
namespace {

using Status = mesh::ImportOutcome::Status;

// The scale as the shortest text that reads back as the same number, so
// that "--scale" with it repeats a fitted import exactly.
std::string ScaleText(double scale) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, scale).ptr);
}

std::string Counted(int64_t count, const char* one, const char* more) {
  return std::to_string(count) + " " + (count == 1 ? one : more);
}

int FileNameError(const obt::FileNameFailure& failure) {
  std::cerr << FailureLine(failure) << '\n'
            << obt::kStatusFileNameError << '\n';
  return kExitIoError;
}

}  // namespace

ImportCommand::ImportCommand(CLI::App& app)
    : subcommand_(app.add_subcommand(
          "import",
          "Read the triangles of every mesh in MESH (OBJ, PLY, STL, OFF, "
          "glTF and whatever else the asset library reads) and write them "
          "to TARGET as an OBT file")) {
  subcommand_->add_option("MESH", mesh_, "the mesh file to read")->required();
  subcommand_->add_option("TARGET", target_, "the OBT file to write")
      ->required();
  CLI::Option* scale =
      subcommand_
          ->add_option_function<std::string>(
              "--scale",
              [this](const std::string& text) {
                options_.scale = ParseScale(text);
                if (!options_.scale) {
                  throw CLI::ValidationError(
                      "--scale", "'" + text + "' is no positive decimal");
                }
              },
              "multiply every coordinate by S, then round to the nearest "
              "integer, halves away from zero")
          ->type_name("S");
  CLI::Option* fit =
      subcommand_
          ->add_option_function<std::string>(
              "--fit",
              [this](const std::string& text) {
                const std::optional<double> extent = ParseExtent(text);
                if (!extent) {
                  throw CLI::ValidationError(
                      "--fit", "'" + text +
                                   "' is no whole number from 1 to "
                                   "4294967295");
                }
                options_.fit_extent = *extent;
              },
              "scale the object so that its largest extent is N units "
              "(default 10000)")
          ->type_name("N");
  scale->excludes(fit);
  CLI::Option* offset =
      subcommand_
          ->add_option_function<std::string>(
              "--offset",
              [this](const std::string& text) {
                const auto offset = ParseOffset(text);
                if (!offset) {
                  throw CLI::ValidationError(
                      "--offset", "'" + text +
                                      "' is no X,Y,Z of three 32-bit "
                                      "integers");
                }
                options_.offset = *offset;
              },
              "add X,Y,Z to every point after rounding (default 0,0,0)")
          ->type_name("X,Y,Z")
          ->allow_extra_args(false);
  CLI::Option* move_into =
      subcommand_
          ->add_option_function<std::string>(
              "--move-into",
              [this](const std::string& text) {
                const auto checked = ParseSourceOctant(text);
                if (!checked) {
                  throw CLI::ValidationError(
                      "--move-into", "'" + text +
                                         "' is no octant code (1, 2, 4, 8, "
                                         "16, 32, 64 or 128)");
                }
                for (std::size_t slot = 0; slot < checked->size(); ++slot) {
                  if ((*checked)[slot]) {
                    options_.move_into = mirror::kOctantTable.FindOctantSides(
                        mirror::kOctantCodes[slot]);
                  }
                }
              },
              "shift the object into this octant around the origin, "
              "touching its three planes, instead of --offset")
          ->type_name("OCTANT");
  offset->excludes(move_into);
  subcommand_
      ->add_option_function<std::string>(
          "--fourth",
          [this](const std::string& text) {
            const auto choice = ParseFourth(text);
            if (!choice) {
              throw CLI::ValidationError(
                  "--fourth",
                  "'" + text + "' is neither 0..255 nor 'material'");
            }
            options_.fourth_from_material = !choice->value;
            options_.fourth_value = choice->value.value_or(0);
          },
          "the FourthValue of every triangle: 0..255, or 'material' for its "
          "material's number modulo 256 (default 0)")
      ->type_name("N|material");
  subcommand_->add_flag("--flip", options_.flip,
                        "reverse every triangle, for faces that point inward");
  subcommand_->add_flag("--quiet", quiet_, "draw no progress bar");
}

int ImportCommand::Run() const {
  using Cause = obt::FileNameFailure::Cause;
  const std::string mesh_path = FullPath(mesh_);
  const std::string target = FullPath(target_);
  // Both are known to be wrong before anything is read.
  if (target.empty()) return FileNameError({Cause::kNoTarget, "", 0});
  if (obt::NameSameFile(mesh_path, target)) {
    return FileNameError({Cause::kSameFile, target, 0});
  }

  std::unique_ptr<work::Feedback> feedback = StderrProgress(quiet_);
  obt::ObtObject object;
  const mesh::ImportOutcome outcome =
      mesh::ImportMesh(mesh_path, options_, *feedback, object);
  if (outcome.status != Status::kImported) {
    feedback.reset();
    std::cerr << "obtmirror-cli: " << mesh_path << ": " << outcome.reason
              << '\n';
    if (outcome.status == Status::kTooLarge) {
      std::cerr << obt::kStatusObjectTooLarge << '\n';
    }
    return kExitReported;
  }

  int create_error = 0;
  const int code = obt::WriteObtFile(target, object, create_error);
  feedback.reset();
  if (code != 0) {
    if (create_error != 0) {
      return FileNameError({Cause::kTargetNotCreated, target, create_error});
    }
    std::cerr << obt::IoErrorMessage(code) << ".\n";
    return kExitIoError;
  }
  if (outcome.dropped_points > 0 || outcome.dropped_lines > 0) {
    std::cerr << "obtmirror-cli: " << mesh_path << ": left out "
              << Counted(outcome.dropped_points, "point", "points") << " and "
              << Counted(outcome.dropped_lines, "line", "lines") << '\n';
  }
  std::cout << Counted(static_cast<int64_t>(object.points.size()), "point",
                       "points")
            << ", "
            << Counted(static_cast<int64_t>(object.triangles.size()),
                       "triangle", "triangles")
            << ", " << Counted(outcome.meshes, "mesh", "meshes")
            << " read, scale " << ScaleText(outcome.scale) << '\n';
  return kExitSucceeded;
}

}  // namespace cli
