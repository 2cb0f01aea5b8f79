#ifndef OBTMIRROR_CLI_EXIT_CODES_H_
#define OBTMIRROR_CLI_EXIT_CODES_H_

namespace cli {

inline constexpr int kExitSucceeded = 0;
// The run ended with a status line other than success.
inline constexpr int kExitReported = 1;
// An I/O error stopped the run.
inline constexpr int kExitIoError = 2;
// A file the command writes, or standard output, could not be written
// (EX_IOERR).
inline constexpr int kExitCannotWrite = 74;
// Wrong arguments (EX_USAGE).
inline constexpr int kExitUsage = 64;

}  // namespace cli

#endif  // OBTMIRROR_CLI_EXIT_CODES_H_
