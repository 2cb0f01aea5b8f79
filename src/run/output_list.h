#ifndef OBTMIRROR_RUN_OUTPUT_LIST_H_
#define OBTMIRROR_RUN_OUTPUT_LIST_H_

// The lists a conversion writes, points and triangles alike: the source's
// list and its mirrored copies, how many entries they take in the tables,
// and how their lines are walked.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "mirror/kept_entries.h"
#include "work/work_tables.h"
#include "work/wrap_arithmetic.h"

namespace run {

// The count line of the output: (copies + 1) · count, wrapping at 32 bits.
inline int32_t OutputCount(int32_t copy_count, int32_t count) {
  return work::WrapMultiply(copy_count + 1, count);
}

// Whether the source object and all its copies fit the tables.
inline bool FitsTables(int32_t copy_count, int32_t count) {
  return int64_t{copy_count + 1} * count <= work::kTableCapacity;
}

inline std::size_t EntriesFor(int32_t copy_count, int32_t count) {
  return static_cast<std::size_t>(copy_count + 1) *
         static_cast<std::size_t>(std::max(count, 0));
}

// Writes lines [first, end) of a list that holds its copies one after the
// other, `rows` lines each, or only those a stage keeps of them:
// `stretch(copy, row, end_row, out)` writes the lines of one copy's rows
// [row, end_row) and returns the end of what it wrote.
template <typename Stretch>
char* WriteCopyLines(std::size_t rows, const mirror::KeptEntries* kept,
                     std::size_t first, std::size_t end, char* out,
                     const Stretch& stretch) {
  if (kept != nullptr) {
    kept->ForEachRun(
        first, end,
        [&](std::size_t copy, std::size_t row, std::size_t end_row) {
          out = stretch(copy, row, end_row, out);
        });
    return out;
  }
  while (first < end) {
    const std::size_t copy = first / rows;
    const std::size_t row = first % rows;
    const std::size_t end_row = std::min(rows, row + (end - first));
    out = stretch(copy, row, end_row, out);
    first += end_row - row;
  }
  return out;
}

}  // namespace run

#endif  // OBTMIRROR_RUN_OUTPUT_LIST_H_
