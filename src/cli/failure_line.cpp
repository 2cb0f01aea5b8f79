#include "cli/failure_line.h"

#include <cstring>
#include <iostream>

#include "run/status_texts.h"

namespace cli {

std::string FailureLine(const run::FileNameFailure& failure) {
  using Cause = run::FileNameFailure::Cause;
  switch (failure.cause) {
    case Cause::kNone:
      break;
    case Cause::kNoSource:
      return "obtmirror-cli: no source file given";
    case Cause::kNoTarget:
      return "obtmirror-cli: no target file given";
    case Cause::kSameFile:
      return "obtmirror-cli: " + failure.path +
             ": source and target are the same file";
    case Cause::kSourceNotOpened:
    case Cause::kTargetNotCreated:
      return "obtmirror-cli: " + failure.path + ": " +
             std::strerror(failure.error);
  }
  return {};
}

int ReportFileNameFailure(const run::FileNameFailure& failure,
                          int exit_status) {
  std::cerr << FailureLine(failure) << '\n'
            << run::kStatusFileNameError << '\n';
  return exit_status;
}

}  // namespace cli
