#include "cli/export_command.h"

#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "cli/checked_option.h"
#include "cli/exit_codes.h"
#include "cli/failure_line.h"
#include "cli/full_path.h"
#include "cli/mesh_library.h"
#include "cli/mesh_options.h"
#include "cli/terminal_progress.h"
#include "mesh/gauge_stretch.h"
#include "obt/io_error.h"
#include "obt/obt_object.h"
#include "run/status_texts.h"

namespace cli {
namespace {

using Cause = run::FileNameFailure::Cause;

// The formats the asset library's module offers, for the help text, which
// must not start the module; a test holds the two lists together.
constexpr char kOfferedFormats[] =
    "collada, obj, objnomtl, stl, stlb, ply, plyb, gltf2, glb2, fbxa";
using ReadStatus = obt::ObtReadOutcome::Status;

std::string FormatIds() {
  std::string error;
  const mesh::MeshModule* const formats = MeshLibrary(error);
  if (formats == nullptr) return "(" + error + ")";
  std::string ids;
  for (const mesh::ExportFormat& format : formats->export_formats()) {
    ids += (ids.empty() ? "" : ", ") + format.id;
  }
  return ids;
}

std::optional<mesh::ExportFormat> FindFormat(std::string_view id) {
  std::string error;
  const mesh::MeshModule* const formats = MeshLibrary(error);
  if (formats == nullptr) return std::nullopt;
  return formats->find_export_format(id);
}

// The conversion's outcomes for a source it cannot read.
int ReadFailure(const obt::ObtReadOutcome& outcome, const std::string& source) {
  switch (outcome.status) {
    case ReadStatus::kRead:
      break;
    case ReadStatus::kNotOpened:
      return ReportFileNameFailure(
          {Cause::kSourceNotOpened, source, outcome.error}, kExitReported);
    case ReadStatus::kNotObt:
      std::cerr << run::kStatusNotObt << '\n';
      return kExitReported;
    case ReadStatus::kTooLarge:
      std::cerr << run::kStatusObjectTooLarge << '\n';
      return kExitReported;
    case ReadStatus::kMalformedNumber:
      std::cerr << "obtmirror-cli: " << source << ": line " << outcome.line
                << '\n'
                << obt::IoErrorMessage(obt::kIoInvalidNumber) << ".\n";
      return kExitIoError;
    case ReadStatus::kReadFailed:
      std::cerr << "obtmirror-cli: " << source << ": line " << outcome.line
                << '\n'
                << obt::IoErrorMessage(outcome.error) << ".\n";
      return kExitIoError;
  }
  return kExitSucceeded;
}

int WriteFailure(const mesh::WriteFailure& failure) {
  using Kind = mesh::WriteFailure::Kind;
  switch (failure.kind) {
    case Kind::kNone:
      break;
    case Kind::kNotCreated:
      return ReportFileNameFailure(
          {Cause::kTargetNotCreated, failure.path, failure.error},
          kExitIoError);
    case Kind::kSameFile:
      return ReportFileNameFailure({Cause::kSameFile, failure.path, 0},
                                   kExitIoError);
    case Kind::kWriteFailed:
      std::cerr << "obtmirror-cli: " << failure.path << ": "
                << std::strerror(failure.error) << '\n'
                << obt::ErrnoMessage(failure.error) << ".\n";
      return kExitIoError;
    case Kind::kNotRegular:
      std::cerr << "obtmirror-cli: " << failure.path
                << ": is no regular file; an export writes the files beside "
                   "the mesh only in place of files or links\n";
      return kExitIoError;
  }
  return kExitIoError;
}

}  // namespace

ExportCommand::ExportCommand(CLI::App& app)
    : subcommand_(app.add_subcommand(
          "export",
          "Write the object of the OBT file SOURCE to MESH in a format of the "
          "asset library")) {
  subcommand_->add_option("SOURCE", source_, "the OBT file to read")
      ->required();
  subcommand_->add_option("MESH", mesh_, "the mesh file to write")->required();
  AddCheckedOption(
      subcommand_, "--format", "F",
      // Listing the formats starts the asset library's exporters, which
      // every run of the command line would otherwise pay for.
      [] { return "none of the formats " + FormatIds(); }, FindFormat,
      [this](const mesh::ExportFormat& format) { format_id_ = format.id; },
      "the format, one of those an import reads back as written: " +
          std::string(kOfferedFormats) +
          "; default: by MESH's extension, binary for .stl and .ply");
  AddCheckedOption(
      subcommand_, "--scale", "S", "no positive decimal", ParseScale,
      [this](double scale) { scale_ = scale; },
      "divide every coordinate by S (default 1)");
  subcommand_->add_flag("--quiet", quiet_, "draw no progress bar");
  subcommand_->footer(
      "Every file written or replaced is named on standard output. A file "
      "the format writes beside MESH (an OBJ's .mtl) replaces what is "
      "there, a symbolic link itself rather than what it leads to. Exit "
      "status: 0 when MESH is written; 1 when SOURCE cannot be opened, is no "
      "OBT file, is too large, falls short of its counts, has a triangle "
      "naming a point it does not hold or a coordinate that single-precision "
      "floats would not carry (with its line); 2 when a number is malformed "
      "(\"Ungültige numerische Eingabe.\" and its line), reading SOURCE "
      "fails or a file cannot be written (with its name); 64 for wrong "
      "arguments or a format not offered.");
}

int ExportCommand::Run() const {
  const std::string source = FullPath(source_);
  const std::string mesh_path = FullPath(mesh_);
  if (mesh_path.empty())
    return ReportFileNameFailure({Cause::kNoTarget, "", 0}, kExitIoError);
  std::string load_error;
  const mesh::MeshModule* const formats = MeshLibrary(load_error);
  if (formats == nullptr) {
    std::cerr << "obtmirror-cli: " << load_error << '\n';
    return kExitIoError;
  }
  const std::optional<mesh::ExportFormat> format =
      format_id_.empty() ? formats->format_for_file_name(mesh_path)
                         : formats->find_export_format(format_id_);
  if (!format) {
    std::cerr << "obtmirror-cli: export: no format has the extension of '"
              << mesh_ << "'; name one with --format: " << FormatIds() << '\n';
    return kExitUsage;
  }

  std::unique_ptr<work::Feedback> feedback = StderrProgress(quiet_);
  feedback->SetGaugeMaximum(100);
  obt::ObtObject object;
  mesh::GaugeStretch reading(*feedback, 0, 40);
  const obt::ObtReadOutcome read = obt::ReadObtFile(source, object, reading);
  if (read.status != ReadStatus::kRead) {
    feedback.reset();
    return ReadFailure(read, source);
  }

  const int64_t points = static_cast<int64_t>(object.points.size());
  const int64_t triangles = static_cast<int64_t>(object.triangles.size());
  const mesh::ExportOutcome outcome =
      formats->export_object(std::move(object), source, mesh_path, *format,
                             scale_, mesh::GaugeStretch(*feedback, 40, 100));
  feedback.reset();
  switch (outcome.status) {
    case mesh::ExportOutcome::Status::kExported:
      break;
    case mesh::ExportOutcome::Status::kRefused:
      std::cerr << "obtmirror-cli: " << source << ": " << outcome.reason
                << '\n';
      return kExitReported;
    case mesh::ExportOutcome::Status::kNotExported:
      std::cerr << "obtmirror-cli: " << mesh_path << ": " << outcome.reason
                << '\n';
      return kExitReported;
    case mesh::ExportOutcome::Status::kWriteFailed:
      return WriteFailure(outcome.failure);
  }
  std::cout << points << (points == 1 ? " point, " : " points, ") << triangles
            << (triangles == 1 ? " triangle" : " triangles") << " written as "
            << format->id << " to ";
  for (std::size_t i = 0; i < outcome.files.size(); ++i) {
    std::cout << (i == 0 ? "" : ", ") << outcome.files[i].path
              << (outcome.files[i].replaced ? " (replaced)" : "");
  }
  std::cout << '\n';
  return kExitSucceeded;
}

}  // namespace cli
