#include "cli/import_command.h"

#include <charconv>
#include <iostream>
#include <memory>

#include "cli/checked_option.h"
#include "cli/exit_codes.h"
#include "cli/failure_line.h"
#include "cli/full_path.h"
#include "cli/mesh_library.h"
#include "cli/mesh_options.h"
#include "cli/octant_option.h"
#include "cli/terminal_progress.h"
#include "mirror/octant_table.h"
#include "obt/file_identity.h"
#include "obt/io_error.h"
#include "obt/obt_format.h"
#include "obt/obt_object.h"
#include "run/status_texts.h"

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

}  // namespace

ImportCommand::ImportCommand(CLI::App& app)
    : subcommand_(app.add_subcommand(
          "import",
          "Read the triangles of every mesh in MESH (OBJ, PLY, STL, OFF, "
          "glTF 2, COLLADA, FBX or 3MF; with --any-format whatever else the "
          "asset library reads) and write them to TARGET as an OBT file")) {
  subcommand_->add_option("MESH", mesh_, "the mesh file to read")->required();
  subcommand_->add_option("TARGET", target_, "the OBT file to write")
      ->required();
  CLI::Option* scale = AddCheckedOption(
      subcommand_, "--scale", "S", "no positive decimal", ParseScale,
      [this](double value) { options_.scale = value; },
      "multiply every coordinate by S, then round to the nearest integer, "
      "halves away from zero");
  CLI::Option* fit = AddCheckedOption(
      subcommand_, "--fit", "N", "no whole number from 1 to 4294967295",
      ParseExtent, [this](double extent) { options_.fit_extent = extent; },
      "scale the object so that its largest extent is N units (default "
      "10000)");
  scale->excludes(fit);
  CLI::Option* offset = AddCheckedOption(
      subcommand_, "--offset", "X,Y,Z", "no X,Y,Z of three 32-bit integers",
      ParseOffset,
      [this](const std::array<int64_t, 3>& value) { options_.offset = value; },
      "add X,Y,Z to every point after rounding (default 0,0,0)");
  // "-5,0,0" is a value, not an option.
  offset->allow_extra_args(false);
  CLI::Option* move_into = AddCheckedOption(
      subcommand_, "--move-into", "OCTANT",
      "no octant code (1, 2, 4, 8, 16, 32, 64 or 128)", ParseSourceOctant,
      [this](const std::array<bool, 8>& checked) {
        for (std::size_t slot = 0; slot < checked.size(); ++slot) {
          if (checked[slot]) {
            options_.move_into = mirror::kOctantTable.FindOctantSides(
                mirror::kOctantCodes[slot]);
          }
        }
      },
      "shift the object into this octant around the origin, touching its "
      "three planes, instead of --offset");
  offset->excludes(move_into);
  AddCheckedOption(
      subcommand_, "--fourth", "N|material", "neither 0..255 nor 'material'",
      ParseFourth,
      [this](const FourthChoice& choice) {
        options_.fourth_from_material = !choice.value;
        options_.fourth_value = choice.value.value_or(0);
      },
      "the FourthValue of every triangle: 0..255, or 'material' for its "
      "material's number modulo 256 (default 0)");
  subcommand_->add_flag("--flip", options_.flip,
                        "reverse every triangle, for faces that point inward");
  AddCheckedOption(
      subcommand_, "--memory-limit", "SIZE",
      "no size of at least 64M (a number of bytes, or with K, M, G or T)",
      ParseMemorySize, [this](uint64_t bytes) { limits_.memory = bytes; },
      "the most memory the mesh library may take for reading MESH, as 4G or "
      "512M (default: more the larger the file)");
  AddCheckedOption(
      subcommand_, "--time-limit", "SECONDS",
      "no whole number of seconds from 1 to 86400", ParseSeconds,
      [this](uint64_t seconds) { limits_.seconds = seconds; },
      "the most processor time the mesh library may take for reading MESH "
      "(default: more the larger the file)");
  subcommand_->add_flag(
      "--any-format", limits_.any_format,
      "try every reader of the mesh library, not only those of the known "
      "formats (still in the sandbox)");
  subcommand_->add_flag("--quiet", quiet_, "draw no progress bar");
  subcommand_->footer(
      "Exit status: 0 when TARGET is written (points, triangles, meshes read "
      "and the scale on standard output); 1 when MESH cannot be read as a "
      "mesh, holds no triangle, has a coordinate out of range or is too "
      "large for a run, or when the mesh library, which reads MESH in a "
      "sandbox of its own, crashes, reaches a limit or breaks a rule of the "
      "sandbox on it; 2 when TARGET cannot be written; 64 for wrong "
      "arguments.");
}

int ImportCommand::Run() const {
  using Cause = run::FileNameFailure::Cause;
  const std::string mesh_path = FullPath(mesh_);
  const std::string target = FullPath(target_);
  // Both are known to be wrong before anything is read.
  if (target.empty())
    return ReportFileNameFailure({Cause::kNoTarget, "", 0}, kExitIoError);
  if (obt::NameSameFile(mesh_path, target)) {
    return ReportFileNameFailure({Cause::kSameFile, target, 0}, kExitIoError);
  }

  std::string load_error;
  const mesh::MeshModule* const formats = MeshLibrary(load_error);
  if (formats == nullptr) {
    std::cerr << "obtmirror-cli: " << load_error << '\n';
    return kExitReported;
  }

  std::unique_ptr<work::Feedback> feedback = StderrProgress(quiet_);
  // The object lies in the memory the reader process filled until
  // `imported` goes.
  const mesh::ImportedMesh imported =
      formats->import_mesh(mesh_path, options_, limits_, *feedback);
  const mesh::ImportOutcome& outcome = imported.outcome;
  for (const std::string& note : outcome.notes) {
    std::cerr << "obtmirror-cli: " << mesh_path << ": " << note << '\n';
  }
  if (outcome.status != Status::kImported) {
    feedback.reset();
    std::cerr << "obtmirror-cli: " << mesh_path << ": " << outcome.reason
              << '\n';
    if (outcome.status == Status::kTooLarge) {
      std::cerr << run::kStatusObjectTooLarge << '\n';
    }
    return kExitReported;
  }

  int create_error = 0;
  const obt::ObtHeader header = {std::string(obt::kMagicLine),
                                 std::string(obt::kVersion2Line)};
  const int code =
      obt::WriteObtFile(target, header, imported.lists, create_error);
  feedback.reset();
  if (code != 0) {
    if (create_error != 0) {
      return ReportFileNameFailure(
          {Cause::kTargetNotCreated, target, create_error}, kExitIoError);
    }
    std::cerr << "obtmirror-cli: " << target << ": could not be written\n"
              << obt::IoErrorMessage(code) << ".\n";
    return kExitIoError;
  }
  if (outcome.dropped_degenerate > 0) {
    std::cerr << "obtmirror-cli: " << mesh_path << ": left out "
              << Counted(outcome.dropped_degenerate, "triangle", "triangles")
              << " that rounding made degenerate (corners at one point or on "
                 "one line)\n";
  }
  if (outcome.dropped_points > 0 || outcome.dropped_lines > 0) {
    std::cerr << "obtmirror-cli: " << mesh_path << ": left out "
              << Counted(outcome.dropped_points, "point", "points") << " and "
              << Counted(outcome.dropped_lines, "line", "lines") << '\n';
  }
  std::cout << Counted(static_cast<int64_t>(imported.lists.points.size()),
                       "point", "points")
            << ", "
            << Counted(static_cast<int64_t>(imported.lists.triangles.size()),
                       "triangle", "triangles")
            << ", " << Counted(outcome.meshes, "mesh", "meshes")
            << " read, scale " << ScaleText(outcome.scale) << '\n';
  return kExitSucceeded;
}

}  // namespace cli
