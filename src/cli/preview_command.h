#ifndef OBTMIRROR_CLI_PREVIEW_COMMAND_H_
#define OBTMIRROR_CLI_PREVIEW_COMMAND_H_

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

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
  CLI::App* subcommand_;
  std::string file_;
  int32_t view_kind_ = 0;
  // The window's preview box.
  int32_t width_ = 231;
  int32_t height_ = 177;
  std::string pbm_path_;
  std::string png_path_;
  bool points_ = false;
};

}  // namespace cli

#endif  // OBTMIRROR_CLI_PREVIEW_COMMAND_H_
