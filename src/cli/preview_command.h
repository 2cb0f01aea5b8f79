#ifndef OBTMIRROR_CLI_PREVIEW_COMMAND_H_
#define OBTMIRROR_CLI_PREVIEW_COMMAND_H_

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

#include "cli/picture_options.h"

namespace cli {

// "obtmirror-cli preview FILE": one preview load and drawing, as the
// window's preview of the source does it, with the drawn bitmap written to
// a file on request.
class PreviewCommand {
 public:
  explicit PreviewCommand(CLI::App& app);

  CLI::App* subcommand() const { return subcommand_; }

  // Loads, draws and writes; returns the exit status: the PreviewError, or
  // kExitCannotWrite when a bitmap file cannot be written.
  int Run() const;

 private:
  // --shaded: the whole object read as a run reads it, drawn shaded.
  int RunShaded() const;

  CLI::App* subcommand_;
  std::string file_;
  ViewChoice view_;
  // The window's preview box.
  PictureSize size_{231, 177};
  bool shaded_ = false;
  std::string pbm_path_;
  std::string png_path_;
  bool points_ = false;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_PREVIEW_COMMAND_H_
