#ifndef OBTMIRROR_MESH_READER_SANDBOX_H_
#define OBTMIRROR_MESH_READER_SANDBOX_H_

#include <cstdint>
#include <string>

namespace mesh {

// The descriptors the reader process keeps, at these numbers; every other
// one is closed, and standard input and output are /dev/null.
inline constexpr int kFolderFd = 3;   // the model's folder, O_PATH
inline constexpr int kModelFd = 4;    // the model, read-only
inline constexpr int kMessageFd = 5;  // the pipe of messages to the command
inline constexpr int kResultFd = 6;   // the memory file of the result

// The bounds of the reader process. The soft ones start where the model's
// size puts them and grow, up to the hard ones, as the library opens the
// files the model refers to.
struct ReaderBounds {
  uint64_t memory_soft = 0;
  uint64_t memory_hard = 0;
  uint64_t seconds_soft = 0;
  uint64_t seconds_hard = 0;
  // The largest result the reader may write.
  uint64_t result_bytes = 0;
};

// In a build with the sanitizers, whose shadow memory takes more address
// space than any bound, memory is not bounded, and standard error stays
// open for their reports.
#ifdef OBTMIRROR_SANITIZED
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

// Confines the calling process, which must hold the descriptors above at
// their numbers and run one thread, before it reads a byte of the model: it
// takes the bounds, restricts the file system to reading below the model's
// folder (where the kernel has Landlock), and installs a system-call filter
// that ends the process on any call that reading does not need: no program
// started, no socket, no other process touched, no file written but the result.
// False, with `reason` set, when a step that must hold could not be taken.
bool ConfineReader(const ReaderBounds& bounds, std::string& reason);

// Raises the soft bounds to these, within the hard ones: for the reader,
// once confined, as the model's files grow.
void RaiseReaderBounds(uint64_t memory, uint64_t seconds);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_READER_SANDBOX_H_
