#include "obt/point_fields.h"

#include <initializer_list>
#include <new>
#include <system_error>
#include <thread>

#include "obt/decimal_format.h"
#include "work/wrap_arithmetic.h"

namespace obt {
namespace {

// 52 bytes a point, four times what the source's points take: past a
// gigabyte the memory is worth more than the time.
constexpr std::size_t kMaxBytes = std::size_t{1} << 30;
// Fewer points are made sooner than a thread is started.
constexpr std::size_t kHelperFrom = 1 << 14;

// The two values of a coordinate over all copies: kept and reflected.
std::array<int32_t, 2> ValuesOf(int32_t coordinate, uint32_t centre) {
  return {work::WrapAdd(coordinate, centre),
          work::WrapAdd(work::WrapMultiply(coordinate, -1), centre)};
}

// Eight characters at most: "-9999999" to "99999999".
bool FitsWord(int32_t value) {
  return value >= -9'999'999 && value <= 99'999'999;
}

}  // namespace

bool PointFields::Make(const work::TableEntry* points, std::size_t count,
                       const std::array<uint32_t, 3>& centre) {
  if (count * (6 * sizeof(uint64_t) + sizeof(uint32_t)) > kMaxBytes) {
    return false;
  }
  for (std::size_t row = 0; row < count; ++row) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      for (const int32_t value : ValuesOf(points[row][axis], centre[axis])) {
        if (!FitsWord(value)) return false;
      }
    }
  }
  try {
    digits_ = work::PageBlock(6 * count * sizeof(uint64_t));
    lengths_ = work::PageBlock(count * sizeof(uint32_t));
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::size_t middle = count;
  {
    std::jthread helper;
    if (count >= kHelperFrom) {
      try {
        helper = std::jthread([this, points, count, &centre, from = count / 2] {
          MakeRows(points, from, count, centre);
        });
        middle = count / 2;
      } catch (const std::system_error&) {
        // No thread to be had: all on this one.
      }
    }
    MakeRows(points, 0, middle, centre);
  }
  return true;
}

void PointFields::MakeRows(const work::TableEntry* points, std::size_t first,
                           std::size_t end,
                           const std::array<uint32_t, 3>& centre) {
  uint64_t* digits = Digits() + 6 * first;
  for (std::size_t row = first; row < end; ++row) {
    uint32_t lengths = 0;
    unsigned shift = 0;
    for (std::size_t axis = 0; axis < 3; ++axis) {
      for (const int32_t value : ValuesOf(points[row][axis], centre[axis])) {
        // WriteDecimal stores up to eleven bytes; the value has eight.
        char text[kMaxDecimalLength];
        const auto length =
            static_cast<uint32_t>(WriteDecimal(text, value) - text);
        std::memcpy(digits++, text, sizeof(uint64_t));
        lengths |= length << shift;
        shift += 4;
      }
    }
    Lengths()[row] = lengths;
  }
}

}  // namespace obt
