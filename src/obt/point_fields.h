#ifndef OBTMIRROR_OBT_POINT_FIELDS_H_
#define OBTMIRROR_OBT_POINT_FIELDS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "work/page_block.h"
#include "work/work_tables.h"

namespace obt {

// The digits of the coordinates in a conversion's point lines, made once
// for all the copies. A copy keeps each coordinate of a point or reflects
// it through the centre, so over every copy a coordinate has only two
// values: with four copies or more, lines put together from digits made
// once cost a fraction of lines formatted anew for each copy.
class PointFields {
 public:
  // Bytes that WriteLine may store beyond the end of the line it writes.
  static constexpr std::size_t kSlack = 8;

  // Makes the digits of both values of every coordinate of
  // points[0..count), which are held relative to `centre`, on this thread
  // and a helper. False, with nothing made, when a value has more than
  // eight characters, for more than about twenty million points, or when
  // there is no memory for them.
  bool Make(const work::TableEntry* points, std::size_t count,
            const std::array<uint32_t, 3>& centre);

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
  void MakeRows(const work::TableEntry* points, std::size_t first,
                std::size_t end, const std::array<uint32_t, 3>& centre);

  // Per point, the digits of x kept, x reflected, y kept, ..., each in the
  // bytes of a word (the first in the lowest), and their six lengths in
  // four bits each, in the same order from the lowest.
  uint64_t* Digits() const { return static_cast<uint64_t*>(digits_.data()); }
  uint32_t* Lengths() const { return static_cast<uint32_t*>(lengths_.data()); }

  work::PageBlock digits_;
  work::PageBlock lengths_;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_POINT_FIELDS_H_
