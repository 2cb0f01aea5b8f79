#ifndef OBTMIRROR_MIRROR_KEPT_ENTRIES_H_
#define OBTMIRROR_MIRROR_KEPT_ENTRIES_H_

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace mirror {

// Which entries of a replicated list a result stage keeps: the list holds
// `copies` copies of `rows` rows, copy after copy, and the kept ones are
// written in that order. One bit an entry, each copy starting a word of its
// own, and the count of kept entries before each word, so that a block of
// output lines finds its first entry without a walk from the start.
class KeptEntries {
 public:
  // All entries dropped.
  void Reset(std::size_t copies, std::size_t rows);
  void Keep(std::size_t copy, std::size_t row) {
    bits_[copy * words_per_copy_ + row / 64] |= uint64_t{1} << (row % 64);
  }
  void KeepCopy(std::size_t copy);
  void Drop(std::size_t copy, std::size_t row) {
    bits_[copy * words_per_copy_ + row / 64] &= ~(uint64_t{1} << (row % 64));
  }
  // Counts what is kept; comes after the last change and before count or
  // ForEachRun.
  void Count();

  std::size_t count() const { return before_.empty() ? 0 : before_.back(); }

  // Calls take(copy, row, end_row) for the kept entries at positions
  // [first, end) among the kept ones, in order, a run of neighbouring rows
  // of one copy at a time.
  template <typename Take>
  void ForEachRun(std::size_t first, std::size_t end, const Take& take) const;

 private:
  // The word and bit of the kept entry at `position`.
  void Find(std::size_t position, std::size_t& word, unsigned& bit) const;

  std::size_t rows_ = 0;
  std::size_t words_per_copy_ = 0;
  std::vector<uint64_t> bits_;
  // before_[w]: the kept entries in the words before word w; one more for
  // the end.
  std::vector<uint32_t> before_;
};

template <typename Take>
void KeptEntries::ForEachRun(std::size_t first, std::size_t end,
                             const Take& take) const {
  if (end > count()) end = count();
  if (first >= end) return;
  std::size_t word = 0;
  unsigned bit = 0;
  Find(first, word, bit);
  std::size_t left = end - first;
  while (true) {
    const std::size_t copy = word / words_per_copy_;
    const std::size_t row = (word % words_per_copy_) * 64 + bit;
    // The run goes on to the first dropped entry; the bits past the last
    // row of a copy are dropped ones.
    uint64_t dropped = ~bits_[word] & (~uint64_t{0} << bit);
    while (dropped == 0 && (word + 1) % words_per_copy_ != 0) {
      dropped = ~bits_[++word];
    }
    const std::size_t run_end =
        dropped == 0 ? rows_
                     : (word % words_per_copy_) * 64 +
                           static_cast<std::size_t>(std::countr_zero(dropped));
    if (run_end - row >= left) {
      take(copy, row, row + left);
      return;
    }
    take(copy, row, run_end);
    left -= run_end - row;
    // The next kept entry, which may be in a later copy.
    const std::size_t next = copy * words_per_copy_ * 64 + run_end;
    word = next / 64;
    uint64_t kept = bits_[word] & (~uint64_t{0} << (next % 64));
    while (kept == 0) kept = bits_[++word];
    bit = static_cast<unsigned>(std::countr_zero(kept));
  }
}

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_KEPT_ENTRIES_H_
