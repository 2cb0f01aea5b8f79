#ifndef OBTMIRROR_RUN_POINT_FIELDS_H_
#define OBTMIRROR_RUN_POINT_FIELDS_H_

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "work/background.h"
#include "work/page_block.h"
#include "work/work_tables.h"

namespace run {

// The digits of the coordinates in a conversion's point lines, made once
// for all the copies. A copy keeps each coordinate of a point or reflects
// it through the centre, so over every copy a coordinate has only two
// values: with four copies or more, lines put together from digits made
// once cost a fraction of lines formatted anew for each copy. A
// conversion makes them while it reads the points, on the core that the
// reading leaves idle.
class PointFields {
 public:
  // Bytes that WriteLine may store beyond the end of the line it writes.
  static constexpr std::size_t kSlack = 8;

  PointFields() = default;
  ~PointFields();
  PointFields(const PointFields&) = delete;
  PointFields& operator=(const PointFields&) = delete;

  // Makes the digits of both values of every coordinate of
  // points[0..count), which are held relative to `centre`, on this thread
  // and a helper. False, with nothing to use, when a value has more than
  // eight characters, for more than about twenty million points, or when
  // there is no memory for them.
  bool Make(const work::TableEntry* points, std::size_t count,
            const std::array<uint32_t, 3>& centre);

  // Starts making them while another thread still stores the points: a
  // helper makes them as Stored says they are there. False, with nothing
  // started, where Make would refuse at once.
  bool Start(const work::TableEntry* points, std::size_t count,
             const std::array<uint32_t, 3>& centre);
  // points[0..rows) are stored; `rows` only grows, up to the count.
  void Stored(std::size_t rows);
  // After Stored(count): makes on this thread too what is left, and waits
  // for the helper. False when the fields are not to be used, or were not
  // started.
  bool Finish();
  // Gives the fields' memory back, after Finish; nothing is to be written
  // from them afterwards.
  void Release();

  // The line of point `row` in a copy that reflects the axes whose bits
  // are set in `reflected` (1: x, 2: y, 4: z), CR LF included. Returns the
  // end.
  char* WriteLine(char* out, std::size_t row, unsigned reflected) const {
    const uint64_t* const digits = Digits() + 6 * row;
    const uint32_t lengths = Lengths()[row];
    for (unsigned axis = 0; axis < 3; ++axis) {
      const unsigned field = 2 * axis + ((reflected >> axis) & 1);
      std::memcpy(out, &digits[field], sizeof digits[field]);
      out += (lengths >> (4 * field)) & 15;
      *out++ = ' ';
    }
    out[-1] = '\r';
    *out++ = '\n';
    return out;
  }

 private:
  // Makes chunks of rows, waiting for each to be stored, until none is
  // left or a value does not fit.
  void MakeChunks();
  // False when a value of rows [first, end) does not fit.
  bool MakeRows(std::size_t first, std::size_t end);

  // Per point, the digits of x kept, x reflected, y kept, ..., each in the
  // bytes of a word (the first in the lowest), and their six lengths in
  // four bits each, in the same order from the lowest.
  uint64_t* Digits() const { return static_cast<uint64_t*>(digits_.data()); }
  uint32_t* Lengths() const { return static_cast<uint32_t*>(lengths_.data()); }

  const work::TableEntry* points_ = nullptr;
  std::size_t count_ = 0;
  std::array<uint32_t, 3> centre_{};
  bool started_ = false;
  std::atomic<std::size_t> stored_{0};
  // The first row of the next chunk that no thread has taken yet.
  std::atomic<std::size_t> next_row_{0};
  std::atomic<bool> unfit_{false};
  work::PageBlock digits_;
  work::PageBlock lengths_;
  // Last, so that it is joined before the fields go.
  work::Background helper_;
};

}  // namespace run

#endif  // OBTMIRROR_RUN_POINT_FIELDS_H_
