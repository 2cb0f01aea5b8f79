#ifndef OBTMIRROR_MESH_READER_END_H_
#define OBTMIRROR_MESH_READER_END_H_

#include <chrono>
#include <cstdint>
#include <string>

#include "mesh/reader_sandbox.h"

namespace mesh {

// A reader that waits instead of computing is not stopped by its bound of
// processor time; the command ends it after twice that bound on the clock
// and this many seconds more, for a busy machine.
inline constexpr int kSilenceAllowance = 5;

// The time on the clock a reader may take with this bound of processor
// time before the command ends it.
inline std::chrono::seconds SilenceAfter(uint64_t seconds) {
  return std::chrono::seconds(2 * seconds + kSilenceAllowance);
}

// How a reader process ended without handing back a result.
struct ReaderEnd {
  // As waitpid gives it, and the processor time the reader took.
  int wait_status = 0;
  double seconds = 0;
  // Its bounds as they stood at the end.
  ReaderBounds bounds;
  // The command ended it: it said nothing for too long, or sent what it
  // must not.
  bool silent = false;
  bool misbehaved = false;
  // It said that it reached its memory bound.
  bool out_of_memory = false;
};

// That end as the one line a user reads after the file's name, naming the
// option that changes the bound it reached.
std::string DescribeReaderEnd(const ReaderEnd& end);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_READER_END_H_
