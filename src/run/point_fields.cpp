#include "run/point_fields.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <new>

#include "obt/decimal_format.h"
#include "obt/vector_digits.h"
#include "work/wrap_arithmetic.h"

namespace run {
namespace {

// 52 bytes a point, four times what the source's points take: past a
// gigabyte the memory is worth more than the time.
constexpr std::size_t kMaxBytes = std::size_t{1} << 30;
// Fewer points are made sooner than a thread is started.
constexpr std::size_t kHelperFrom = 1 << 14;
// The rows a thread takes at a time, and waits for to be stored: a
// multiple of four.
constexpr std::size_t kChunkRows = 1 << 14;

// The two values of a coordinate over all copies: kept and reflected.
std::array<int32_t, 2> ValuesOf(int32_t coordinate, uint32_t centre) {
  return {work::WrapAdd(coordinate, centre),
          work::WrapAdd(work::WrapMultiply(coordinate, -1), centre)};
}

// Eight characters at most: "-9999999" to "99999999".
bool FitsWord(int32_t value) {
  return value >= -9'999'999 && value <= 99'999'999;
}

// The six values of a point's line over all copies, in the fields' order.
std::array<int32_t, 6> FieldValuesOf(const work::TableEntry& point,
                                     const std::array<uint32_t, 3>& centre) {
  std::array<int32_t, 6> values;
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const std::array<int32_t, 2> two = ValuesOf(point[axis], centre[axis]);
    values[2 * axis] = two[0];
    values[2 * axis + 1] = two[1];
  }
  return values;
}

#if defined(__x86_64__)

constexpr std::size_t kRowsAtOnce = 4;

// The fields of four rows, whose values all fit a word, at once: their
// digits as obt::WriteDecimal makes them, a minus sign in front of those of a
// negative value.
__attribute__((target("avx2"))) void MakeFourRows(
    const work::TableEntry* points, const std::array<uint32_t, 3>& centre,
    uint64_t* digits, uint32_t* lengths) {
  alignas(16) std::array<int32_t, 6 * kRowsAtOnce> values;
  for (std::size_t row = 0; row < kRowsAtOnce; ++row) {
    const std::array<int32_t, 6> line = FieldValuesOf(points[row], centre);
    std::memcpy(values.data() + 6 * row, line.data(), sizeof line);
  }
  alignas(32) std::array<uint64_t, 6 * kRowsAtOnce> words;
  for (std::size_t k = 0; k < words.size() / 4; ++k) {
    const __m128i quad =
        _mm_load_si128(reinterpret_cast<const __m128i*>(values.data()) + k);
    _mm256_store_si256(
        reinterpret_cast<__m256i*>(words.data()) + k,
        obt::vector_digits::FourEightDigitValues(_mm_abs_epi32(quad)));
  }
  for (std::size_t row = 0; row < kRowsAtOnce; ++row) {
    uint32_t row_lengths = 0;
    for (std::size_t field = 0; field < 6; ++field) {
      const std::size_t i = 6 * row + field;
      // As obt::WriteDecimal writes it: the sign before the digits.
      const obt::decimal_internal::DigitText text =
          obt::decimal_internal::TextOfDigits(words[i]);
      const bool negative = values[i] < 0;
      digits[i] = negative ? text.text << 8 | '-' : text.text;
      row_lengths |= static_cast<uint32_t>(text.length + negative)
                     << (4 * field);
    }
    lengths[row] = row_lengths;
  }
}

#endif  // defined(__x86_64__)

}  // namespace

PointFields::~PointFields() {
  if (helper_.Started()) {
    // A helper still waiting for points that will not come gives up.
    unfit_.store(true);
    Stored(count_);
  }
}

bool PointFields::Make(const work::TableEntry* points, std::size_t count,
                       const std::array<uint32_t, 3>& centre) {
  if (!Start(points, count, centre)) return false;
  Stored(count);
  return Finish();
}

bool PointFields::Start(const work::TableEntry* points, std::size_t count,
                        const std::array<uint32_t, 3>& centre) {
  if (started_ || count == 0 ||
      count * (6 * sizeof(uint64_t) + sizeof(uint32_t)) > kMaxBytes) {
    return false;
  }
  try {
    digits_ = work::PageBlock(6 * count * sizeof(uint64_t));
    lengths_ = work::PageBlock(count * sizeof(uint32_t));
  } catch (const std::bad_alloc&) {
    return false;
  }
  points_ = points;
  count_ = count;
  centre_ = centre;
  started_ = true;
  // Without a thread to be had, Finish makes them all.
  if (count >= kHelperFrom) helper_.Start([this] { MakeChunks(); });
  return true;
}

void PointFields::Stored(std::size_t rows) {
  stored_.store(rows, std::memory_order_release);
  stored_.notify_all();
}

bool PointFields::Finish() {
  if (!started_) return false;
  MakeChunks();
  helper_.Wait();
  return !unfit_.load();
}

void PointFields::Release() {
  digits_ = work::PageBlock();
  lengths_ = work::PageBlock();
}

void PointFields::MakeChunks() {
  while (!unfit_.load(std::memory_order_relaxed)) {
    const std::size_t first =
        next_row_.fetch_add(kChunkRows, std::memory_order_relaxed);
    if (first >= count_) return;
    const std::size_t end = std::min(count_, first + kChunkRows);
    for (std::size_t seen = stored_.load(std::memory_order_acquire); seen < end;
         seen = stored_.load(std::memory_order_acquire)) {
      stored_.wait(seen, std::memory_order_acquire);
    }
    // Given up while waiting: the rows may never have been stored.
    if (unfit_.load()) return;
    if (!MakeRows(first, end)) unfit_.store(true);
  }
}

bool PointFields::MakeRows(std::size_t first, std::size_t end) {
  const work::TableEntry* const points = points_;
  const std::array<uint32_t, 3>& centre = centre_;
  for (std::size_t row = first; row < end; ++row) {
    for (std::size_t axis = 0; axis < 3; ++axis) {
      for (const int32_t value : ValuesOf(points[row][axis], centre[axis])) {
        if (!FitsWord(value)) return false;
      }
    }
  }
  uint64_t* digits = Digits() + 6 * first;
  std::size_t row = first;
#if defined(__x86_64__)
  if (obt::vector_digits::Available()) {
    for (; row + kRowsAtOnce <= end; row += kRowsAtOnce) {
      MakeFourRows(points + row, centre, digits, Lengths() + row);
      digits += 6 * kRowsAtOnce;
    }
  }
#endif
  for (; row < end; ++row) {
    uint32_t lengths = 0;
    unsigned shift = 0;
    for (std::size_t axis = 0; axis < 3; ++axis) {
      for (const int32_t value : ValuesOf(points[row][axis], centre[axis])) {
        // obt::WriteDecimal stores up to eleven bytes; the value has eight.
        char text[obt::kMaxDecimalLength];
        const auto length =
            static_cast<uint32_t>(obt::WriteDecimal(text, value) - text);
        std::memcpy(digits++, text, sizeof(uint64_t));
        lengths |= length << shift;
        shift += 4;
      }
    }
    Lengths()[row] = lengths;
  }
  return true;
}

}  // namespace run
