#include "cli/check_command.h"

#include <iostream>
#include <optional>

#include "cli/check_report.h"
#include "cli/exit_codes.h"
#include "cli/failure_line.h"
#include "cli/full_path.h"
#include "cli/shaded_file.h"
#include "geometry/object_check.h"
#include "geometry/plane_cut.h"
#include "mirror/copy_plan.h"
#include "mirror/mirror_centre.h"
#include "obt/io_error.h"
#include "obt/obt_object.h"
#include "picture/finding_marks.h"
#include "run/status_texts.h"
#include "work/work_tables.h"

namespace cli {
namespace {

using Status = obt::ObtReadOutcome::Status;

int Refuse(std::ostream& err, const std::string& reason,
           std::string_view status) {
  if (!reason.empty()) err << reason << '\n';
  err << status << '\n';
  return kExitReported;
}

std::string At(const std::string& path, int64_t line) {
  return "obtmirror-cli: " + path + ":" + std::to_string(line) + ": ";
}

// The run refuses a count whose entries, with all copies, exceed its
// tables; it does so when it reads the count, before any entry.
std::optional<std::string> TooLarge(const std::string& path, int32_t count,
                                    int64_t line, const char* what,
                                    int32_t copy_count) {
  const int64_t entries = int64_t{copy_count + 1} * count;
  if (entries <= work::kTableCapacity) return std::nullopt;
  return At(path, line) + std::to_string(count) + " " + what + " in " +
         std::to_string(copy_count + 1) + " parts are more than the " +
         std::to_string(work::kTableCapacity) + " a run holds";
}

}  // namespace

CheckCommand::CheckCommand(CLI::App& app)
    : subcommand_(app.add_subcommand(
          "check",
          "Tell, before a run, what the run the options describe would make "
          "of SOURCE: overlapping or doubled parts, bad triangles, holes, "
          "inside-out results; writes nothing")) {
  subcommand_->add_option("SOURCE", source_, "the source OBT file")->required();
  options_.AddTo(subcommand_);
  subcommand_->add_flag("--json", json_,
                        "print the report as one JSON document");
  CLI::Option* png =
      subcommand_
          ->add_option("--png", picture_.png_path,
                       "also draw the result, every copy shaded, with what "
                       "the check finds marked where it lies, as a PNG")
          ->type_name("PATH");
  AddSizeOption(subcommand_, picture_.size, true,
                "width and height of the picture (default 800x600)")
      ->needs(png);
  AddViewOption(subcommand_, picture_.view,
                "the picture's view: 0 3D, 1 front, 2 top, 3 right, as the "
                "preview's, or A,B: turned A degrees from the front toward "
                "the right and raised B degrees (default 0)")
      ->needs(png);
  subcommand_->footer(
      "Exit status: 0 when nothing but information was found; 1 when a "
      "finding would spoil the result, or the run would be refused (its "
      "status line on standard error); 2 when a number is malformed "
      "(\"Ungültige numerische Eingabe.\" and its line) or another I/O "
      "error stops the reading; 64 for wrong arguments; 74 when standard "
      "output or the picture cannot be written.");
}

int CheckCommand::Run() const {
  return CheckSource(FullPath(source_), options_, json_, std::cout, std::cerr,
                     subcommand_->count("--png") > 0 ? &picture_ : nullptr);
}

int CheckSource(const std::string& path, const RunOptions& options, bool json,
                std::ostream& out, std::ostream& err,
                const ShadedRequest* picture) {
  if (path.empty()) {
    return Refuse(err,
                  FailureLine({run::FileNameFailure::Cause::kNoSource, {}, 0}),
                  run::kStatusFileNameError);
  }
  obt::ObtObject object;
  work::NullFeedback feedback;
  const obt::ObtReadOutcome outcome = obt::ReadObtFile(path, object, feedback);
  if (outcome.status == Status::kNotOpened) {
    return Refuse(err,
                  FailureLine({run::FileNameFailure::Cause::kSourceNotOpened,
                               path, outcome.error}),
                  run::kStatusFileNameError);
  }
  if (outcome.status == Status::kNotObt) {
    return Refuse(err, {}, run::kStatusNotObt);
  }

  // The run takes its inputs only after the header, in this order.
  const work::RunInputs inputs = options.InputsFor(path);
  geometry::CheckedRun run;
  if (!mirror::ReadMirrorCentre(inputs.centre_x_text, inputs.centre_y_text,
                                inputs.centre_z_text, run.centre)) {
    return Refuse(err, {}, run::kStatusInvalidCentre);
  }
  mirror::OctantCode source_octant = 0;
  mirror::ReadSourceOctant(inputs.source_octant_checked, source_octant);
  run.source_octant = source_octant;
  run.plan = mirror::BuildCopyPlan(
      source_octant, mirror::ReadTargetMask(inputs.target_octant_checked));

  // What stops the run, in the order it would meet it: the point count,
  // a malformed number among the points, the triangle count, a malformed
  // number among the triangles.
  const int32_t copies = run.plan.copy_count;
  if (auto reason = TooLarge(path, object.point_count, object.point_count_line,
                             "points", copies)) {
    return Refuse(err, *reason, run::kStatusObjectTooLarge);
  }
  // Reading stops at a malformed number or a failed read.
  const bool malformed = outcome.status == Status::kMalformedNumber;
  const bool read_failed = outcome.status == Status::kReadFailed;
  const bool stopped_in_points = (malformed || read_failed) &&
                                 (object.triangle_count_line == 0 ||
                                  outcome.line <= object.triangle_count_line);
  if (!stopped_in_points) {
    if (auto reason =
            TooLarge(path, object.triangle_count, object.triangle_count_line,
                     "triangles", copies)) {
      return Refuse(err, *reason, run::kStatusObjectTooLarge);
    }
  }
  if (outcome.status == Status::kTooLarge) {
    return Refuse(err, {}, run::kStatusObjectTooLarge);
  }
  if (malformed) {
    err << At(path, outcome.line) << "malformed number\n"
        << obt::IoErrorMessage(obt::kIoInvalidNumber) << ".\n";
    return kExitIoError;
  }
  if (read_failed) {
    err << At(path, outcome.line) << "reading failed\n"
        << obt::IoErrorMessage(outcome.error) << ".\n";
    return kExitIoError;
  }

  // The check then looks at the object the run with --clip writes; a
  // triangle with a bad point number leaves it as it is, to be reported.
  std::optional<geometry::CutCounts> cut;
  if (options.clip) {
    cut = geometry::CutForRun(object, run.centre, run.source_octant, run.plan);
  }
  geometry::FindingList findings = geometry::CheckObject(
      object, run, picture != nullptr ? picture::MarkedKindSet() : 0);
  if (cut && cut->bad_triangle < 0 &&
      cut->cut + cut->dropped + cut->points_added > 0) {
    findings.Add({geometry::FindingKind::kCutAtPlanes,
                  0,
                  {cut->cut, cut->dropped, cut->points_added}});
  }
  const CheckReportContext context{path, options.CentreNotes()};
  out << (json ? JsonReport(findings, context) : TextReport(findings, context));
  if (picture != nullptr) {
    out.flush();
    const picture::PictureScene scene{
        object.points, object.triangles, {run.centre, run.plan}};
    if (!WriteShadedPicture(scene, *picture, &findings, err)) {
      return kExitCannotWrite;
    }
  }
  return findings.SpoilingCount() > 0 ? kExitReported : kExitSucceeded;
}

}  // namespace cli
