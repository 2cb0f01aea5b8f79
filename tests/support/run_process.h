#ifndef OBTMIRROR_TESTS_SUPPORT_RUN_PROCESS_H_
#define OBTMIRROR_TESTS_SUPPORT_RUN_PROCESS_H_

#include <string>
#include <vector>

namespace testing_support {

struct ProcessResult {
  int exit_status = -1;  // -1 when the process did not exit normally
  std::string standard_output;
  std::string standard_error;
};

// Runs a program with the given arguments in `directory`, with standard
// input closed, and collects both output streams.
ProcessResult RunProcess(const std::string& program,
                         const std::vector<std::string>& arguments,
                         const std::string& directory);

}  // namespace testing_support

#endif  // OBTMIRROR_TESTS_SUPPORT_RUN_PROCESS_H_
