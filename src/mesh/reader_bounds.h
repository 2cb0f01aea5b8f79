#ifndef OBTMIRROR_MESH_READER_BOUNDS_H_
#define OBTMIRROR_MESH_READER_BOUNDS_H_

#include <cstdint>

#include "mesh/reader_process.h"
#include "mesh/reader_sandbox.h"

namespace mesh {

// The bounds of a reader that has read `bytes` of the model's files so far,
// in a process that takes `base` bytes of address space before it reads.
// A few hundred bytes never need more than the base and half a gigabyte;
// every byte of a file may need some sixteen in memory (an STL's corners,
// their normals and faces) and a quarter of a second per megabyte. Hard
// bounds cover what the largest object a run holds needs.
ReaderBounds BoundsFor(const ReaderLimits& limits, uint64_t base,
                       uint64_t bytes);

// The result of the largest object a run holds, with its texts.
uint64_t LargestResult();

}  // namespace mesh

#endif  // OBTMIRROR_MESH_READER_BOUNDS_H_
