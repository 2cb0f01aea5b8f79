#include "cli/preview_command.h"

#include <charconv>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

#include "cli/bitmap_file.h"
#include "cli/exit_codes.h"
#include "cli/full_path.h"
#include "cli/terminal_progress.h"
#include "obt/pending_io_error.h"
#include "preview/preview.h"
#include "preview/preview_texts.h"
#include "preview/view_projection.h"

namespace cli {
namespace {

// The largest side of the drawing area: keeps the bitmap within a few
// hundred megabytes.
constexpr int32_t kMaxBoxSide = 32767;

// A side of the drawing area: plain decimal digits, 1 to kMaxBoxSide.
std::optional<int32_t> ParseSide(std::string_view text) {
  if (text.empty() || text.front() < '0' || text.front() > '9') {
    return std::nullopt;
  }
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 1 || value > kMaxBoxSide) {
    return std::nullopt;
  }
  return value;
}

std::string WriteError(const std::string& path, const std::string& reason) {
  // An empty name would leave nothing to read between "write" and ":".
  const std::string shown = path.empty() ? "\"\"" : path;
  return "obtmirror-cli: cannot write " + shown + ": " + reason;
}

}  // namespace

PreviewCommand::PreviewCommand(CLI::App& app)
    : subcommand_(app.add_subcommand(
          "preview",
          "Load FILE as the preview does, draw its wireframe, and write the "
          "drawing as PBM or PNG")) {
  subcommand_->add_option("FILE", file_, "the OBT file to show")->required();
  subcommand_
      ->add_option_function<std::string>(
          "--view",
          [this](const std::string& text) {
            if (text.size() != 1 || text[0] < '0' ||
                text[0] >= '0' + preview::kViewKindCount) {
              throw CLI::ValidationError(
                  "--view", "'" + text + "' is no view (0, 1, 2 or 3)");
            }
            view_kind_ = text[0] - '0';
          },
          "the view: 0 3D, 1 front (ZX), 2 top (YX), 3 right (ZY) "
          "(default 0)")
      ->type_name("N");
  subcommand_
      ->add_option_function<std::string>(
          "--size",
          [this](const std::string& text) {
            const std::size_t cross = text.find('x');
            const auto width = ParseSide(std::string_view(text).substr(
                0, cross == std::string::npos ? text.size() : cross));
            const auto height =
                cross == std::string::npos
                    ? std::nullopt
                    : ParseSide(std::string_view(text).substr(cross + 1));
            if (!width || !height) {
              throw CLI::ValidationError(
                  "--size", "'" + text +
                                "' is no size WxH with W and H from 1 to " +
                                std::to_string(kMaxBoxSide));
            }
            width_ = *width;
            height_ = *height;
          },
          "width and height of the drawing area (default 231x177)")
      ->type_name("WxH");
  subcommand_
      ->add_option("--pbm", pbm_path_,
                   "write the drawing as a binary PBM, 1 = black")
      ->type_name("PATH");
  subcommand_->add_option("--png", png_path_, "write the drawing as a PNG")
      ->type_name("PATH");
  subcommand_->add_flag("--points", points_,
                        "print column and row of every loaded point, one "
                        "point a line");
  subcommand_->footer(
      "Exit status: 0 when the file was loaded; 1 (no such file), 2 (not an "
      "OBT file) or 3 (more than 20001 points) with \"Fehler beim Laden des "
      "OBT-Files aufgetreten!\" on standard error; 64 for wrong arguments; "
      "74 when an image file or standard output cannot be written.");
}

int PreviewCommand::Run() const {
  obt::PendingIoError pending;
  preview::Preview preview(pending);
  preview.InitPreview();
  preview.set_view_kind(view_kind_);

  std::unique_ptr<work::Feedback> feedback = StderrProgress();

  preview.PreviewLoader(FullPath(file_), width_, height_, *feedback);
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
      std::cerr << WriteError(pbm_path_, error) << '\n';
      status = kExitCannotWrite;
    }
  }
  if (subcommand_->count("--png") > 0) {
    const std::string error = WritePng(bitmap, png_path_);
    if (!error.empty()) {
      std::cerr << WriteError(png_path_, error) << '\n';
      status = kExitCannotWrite;
    }
  }
  std::cout.flush();
  return status;
}

}  // namespace cli
