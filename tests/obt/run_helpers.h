#ifndef OBTMIRROR_TESTS_OBT_RUN_HELPERS_H_
#define OBTMIRROR_TESTS_OBT_RUN_HELPERS_H_

#include <array>
#include <bit>
#include <initializer_list>
#include <string>

#include "obt/pending_io_error.h"
#include "run/conversion_job.h"
#include "test_files.h"
#include "work/run_inputs.h"

namespace obt_test {

// Check box or radio button states for the given octant codes.
inline std::array<bool, 8> Octants(std::initializer_list<unsigned> codes) {
  std::array<bool, 8> checked{};
  for (const unsigned code : codes) checked[std::countr_zero(code)] = true;
  return checked;
}

inline constexpr std::initializer_list<unsigned> kAllOctants = {
    1, 2, 4, 8, 16, 32, 64, 128};

// One job as the program keeps it, with a recording front end.
struct JobRun {
  JobRun() {
    inputs.source_octant_checked = Octants({1});
    inputs.target_octant_checked = Octants({});
  }

  run::RunResult Run(const std::string& source, const std::string& target) {
    inputs.source_name = source;
    job.set_target_name(target);
    return job.RunConversionJob(inputs, feedback);
  }

  obt::PendingIoError pending;
  run::ConversionJob job{pending};
  RecordingFeedback feedback;
  work::RunInputs inputs;
};

}  // namespace obt_test

#endif  // OBTMIRROR_TESTS_OBT_RUN_HELPERS_H_
