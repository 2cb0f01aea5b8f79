#ifndef OBTMIRROR_MESH_READER_MESSAGES_H_
#define OBTMIRROR_MESH_READER_MESSAGES_H_

#include <cstdint>

namespace mesh {

// What the reader process tells the command while it works, on a pipe, in
// messages of eight bytes: a kind and a value. The command checks both.
enum class ReaderMessageKind : uint32_t {
  // The gauge stands at `value` of 100.
  kProgress = 1,
  // The soft bounds grew, to `value` MiB of memory and `value` seconds of
  // processor time.
  kMemoryBound = 2,
  kTimeBound = 3,
  // The library asked for memory beyond the bound; the process ends.
  kOutOfMemory = 4,
  // The result is in the memory file, sealed.
  kDone = 5,
  // The object will have `value` points, then `value` triangles.
  kPointCount = 6,
  kTriangleCount = 7,
  // The first `value` MiB of the result are in the memory file.
  kWritten = 8,
};

struct ReaderMessage {
  ReaderMessageKind kind;
  uint32_t value;
};
static_assert(sizeof(ReaderMessage) == 8);

// The reader's side; async-signal-safe. A message that cannot be sent is
// lost: the command then learns how the process ended.
void SendReaderMessage(ReaderMessageKind kind, uint32_t value);

}  // namespace mesh

#endif  // OBTMIRROR_MESH_READER_MESSAGES_H_
