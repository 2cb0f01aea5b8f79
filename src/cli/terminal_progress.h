#ifndef OBTMIRROR_CLI_TERMINAL_PROGRESS_H_
#define OBTMIRROR_CLI_TERMINAL_PROGRESS_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "work/feedback.h"

namespace cli {

// Draws the gauge as a bar on one line of a terminal, with the status line
// beside it, and wipes the line when it goes away. Redraws only when the
// whole percentage changes, as the window's gauge does.
class TerminalProgress final : public work::Feedback {
 public:
  explicit TerminalProgress(std::FILE* terminal) : terminal_(terminal) {}
  ~TerminalProgress() override;
  TerminalProgress(const TerminalProgress&) = delete;
  TerminalProgress& operator=(const TerminalProgress&) = delete;

  void SetStatusText(std::string_view text) override;
  void SetGaugeMaximum(int32_t maximum) override;
  void SetGaugeProgress(int32_t progress) override;

 private:
  int Percentage() const;
  void Draw();

  std::FILE* terminal_;
  std::string status_;
  int32_t maximum_ = 0;
  int32_t progress_ = 0;
  int shown_percentage_ = -1;
  bool drawn_ = false;
};

// The progress a command reports: the bar on standard error when that is a
// terminal and `quiet` is not set, else nothing at all.
std::unique_ptr<work::Feedback> StderrProgress(bool quiet = false);

}  // namespace cli

#endif  // OBTMIRROR_CLI_TERMINAL_PROGRESS_H_
