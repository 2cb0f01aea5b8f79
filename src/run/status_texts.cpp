// The status line each end of a run shows.

#include "run/status_texts.h"

#include <string_view>

#include "run/conversion_job.h"

namespace run {

std::string_view StatusText(RunResult result) {
  switch (result) {
    case RunResult::kSucceeded:
      return kStatusSucceeded;
    case RunResult::kFileNameError:
      return kStatusFileNameError;
    case RunResult::kNotObt:
      return kStatusNotObt;
    case RunResult::kObjectTooLarge:
      return kStatusObjectTooLarge;
    case RunResult::kInvalidCentre:
      return kStatusInvalidCentre;
    case RunResult::kInvalidPointNumber:
      return kStatusInvalidPointNumber;
  }
  return kStatusFileNameError;
}

}  // namespace run
