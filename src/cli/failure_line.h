#ifndef OBTMIRROR_CLI_FAILURE_LINE_H_
#define OBTMIRROR_CLI_FAILURE_LINE_H_

#include <string>

#include "run/conversion_job.h"

namespace cli {

// Why a command ended with "Fehler in Dateinamen aufgetreten", which covers
// a dozen causes, as one line for the user.
std::string FailureLine(const run::FileNameFailure& failure);

// That line and "Fehler in Dateinamen aufgetreten" on standard error;
// returns `exit_status`.
int ReportFileNameFailure(const run::FileNameFailure& failure, int exit_status);

}  // namespace cli

#endif  // OBTMIRROR_CLI_FAILURE_LINE_H_
