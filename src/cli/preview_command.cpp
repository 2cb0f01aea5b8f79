#include "cli/preview_command.h"

#include <cstring>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

#include "cli/bitmap_file.h"
#include "cli/exit_codes.h"
#include "cli/full_path.h"
#include "cli/shaded_file.h"
#include "cli/terminal_progress.h"
#include "obt/obt_object.h"
#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "preview/preview_texts.h"

namespace cli {

PreviewCommand::PreviewCommand(CLI::App& app)
    : subcommand_(app.add_subcommand(
          "preview",
          "Load FILE as the preview does, draw its wireframe, and write the "
          "drawing as PBM or PNG")) {
  subcommand_->add_option("FILE", file_, "the OBT file to show")->required();
  AddViewOption(subcommand_, view_,
                "the view: 0 3D, 1 front (ZX), 2 top (YX), 3 right (ZY); with "
                "--shaded also A,B: turned A degrees from the front toward "
                "the right and raised B degrees (default 0)");
  AddSizeOption(subcommand_, size_, false,
                "width and height of the drawing area (default 231x177)");
  subcommand_
      ->add_option("--pbm", pbm_path_,
                   "write the drawing as a binary PBM, 1 = black")
      ->type_name("PATH");
  CLI::Option* png =
      subcommand_->add_option("--png", png_path_, "write the drawing as a PNG")
          ->type_name("PATH");
  CLI::Option* points =
      subcommand_->add_flag("--points", points_,
                            "print column and row of every loaded point, one "
                            "point a line");
  subcommand_
      ->add_flag("--shaded", shaded_,
                 "read the whole object as a run does, whatever its size, "
                 "and draw it with shaded faces instead of the wireframe; "
                 "faces seen from behind take a colour of their own")
      ->needs(png)
      ->excludes(points)
      ->excludes("--pbm");
  subcommand_->parse_complete_callback([this] {
    if (shaded_ && TooLargeForShading(size_)) {
      throw CLI::ValidationError("--size", ShadingSizeRefusal());
    }
    if (!shaded_ && view_.turned) {
      throw CLI::ValidationError("--view", "a view A,B needs --shaded");
    }
  });
  subcommand_->footer(
      "Exit status: 0 when the file was loaded; 1 (no such file), 2 (not an "
      "OBT file) or 3 (more than 20001 points) with \"Fehler beim Laden des "
      "OBT-Files aufgetreten!\" on standard error; with --shaded 1 when the "
      "file cannot be read or is too large for a run, 2 when it is no OBT "
      "file or holds a malformed number; 64 for wrong arguments; 74 when an "
      "image file or standard output cannot be written.");
}

int PreviewCommand::Run() const {
  if (shaded_) return RunShaded();
  obt::PendingIoError pending;
  preview::Preview preview(pending);
  preview.InitPreview();
  preview.set_view_kind(view_.kind);

  std::unique_ptr<work::Feedback> feedback = StderrProgress();

  preview.PreviewLoader(FullPath(file_), size_.width, size_.height, *feedback);
  if (preview.preview_error() != preview::kPreviewLoaded) {
    feedback.reset();
    preview.ClosePreviewFile();
    std::cerr << preview::kLoadErrorMessage << '\n';
    return preview.preview_error();
  }
  if (points_) {
    const auto table = preview.preview_point_table();
    for (int32_t i = 0; i <= preview.last_point_index(); ++i) {
      const preview::PreviewPoint& point = table[static_cast<std::size_t>(i)];
      std::cout << point.column << ' ' << point.row << '\n';
    }
  }
  preview.DrawWireframe(*feedback);
  preview.ClosePreviewFile();
  feedback.reset();

  const preview::PreviewBitmap& bitmap = *preview.preview_bitmap();
  int status = kExitSucceeded;
  if (subcommand_->count("--pbm") > 0) {
    const std::string error = WritePbm(bitmap, pbm_path_);
    if (!error.empty()) {
      std::cerr << WriteFailureLine(pbm_path_, error) << '\n';
      status = kExitCannotWrite;
    }
  }
  if (subcommand_->count("--png") > 0) {
    const std::string error = WritePng(bitmap, png_path_);
    if (!error.empty()) {
      std::cerr << WriteFailureLine(png_path_, error) << '\n';
      status = kExitCannotWrite;
    }
  }
  std::cout.flush();
  return status;
}

int PreviewCommand::RunShaded() const {
  const std::string path = FullPath(file_);
  obt::ObtObject object;
  std::unique_ptr<work::Feedback> feedback = StderrProgress();
  const obt::ObtReadOutcome outcome = obt::ReadObtFile(path, object, *feedback);
  feedback.reset();
  using Status = obt::ObtReadOutcome::Status;
  if (outcome.status != Status::kRead) {
    const std::string shown = "obtmirror-cli: " + path;
    switch (outcome.status) {
      case Status::kNotOpened:
        std::cerr << shown << ": " << std::strerror(outcome.error) << '\n';
        break;
      case Status::kNotObt:
        std::cerr << shown << ": not an OBT file\n";
        break;
      case Status::kTooLarge:
        std::cerr << shown << ":" << outcome.line
                  << ": more than a run holds\n";
        break;
      case Status::kMalformedNumber:
        std::cerr << shown << ":" << outcome.line << ": malformed number\n";
        break;
      default:
        std::cerr << shown << ":" << outcome.line << ": reading failed\n";
        break;
    }
    std::cerr << preview::kLoadErrorMessage << '\n';
    const bool refused = outcome.status == Status::kNotOpened ||
                         outcome.status == Status::kTooLarge;
    return refused ? kExitReported : kExitIoError;
  }
  const picture::PictureScene scene{object.points, object.triangles, {}};
  const ShadedRequest request{png_path_, size_, view_};
  return WriteShadedPicture(scene, request, nullptr, std::cerr)
             ? kExitSucceeded
             : kExitCannotWrite;
}

}  // namespace cli
