#include "cli/terminal_progress.h"

#include <unistd.h>

#include <algorithm>

namespace cli {
namespace {

constexpr int kBarWidth = 40;

}  // namespace

TerminalProgress::~TerminalProgress() {
  if (drawn_) {
    std::fputs("\r\033[K", terminal_);
    std::fflush(terminal_);
  }
}

void TerminalProgress::SetStatusText(std::string_view text) {
  status_ = text;
  Draw();
}

void TerminalProgress::SetGaugeMaximum(int32_t maximum) {
  maximum_ = maximum;
  Draw();
}

void TerminalProgress::SetGaugeProgress(int32_t progress) {
  progress_ = progress;
  if (Percentage() != shown_percentage_) Draw();
}

int TerminalProgress::Percentage() const {
  if (maximum_ <= 0) return 0;
  const int64_t clamped = std::clamp<int64_t>(progress_, 0, maximum_);
  return static_cast<int>(clamped * 100 / maximum_);
}

void TerminalProgress::Draw() {
  shown_percentage_ = Percentage();
  const int filled = shown_percentage_ * kBarWidth / 100;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '.');
  std::fprintf(terminal_, "\r\033[K[%s] %3d %% %s", bar.c_str(),
               shown_percentage_, status_.c_str());
  std::fflush(terminal_);
  drawn_ = true;
}

std::unique_ptr<work::Feedback> StderrProgress(bool quiet) {
  if (!quiet && ::isatty(STDERR_FILENO) == 1) {
    return std::make_unique<TerminalProgress>(stderr);
  }
  return std::make_unique<work::NullFeedback>();
}

}  // namespace cli
