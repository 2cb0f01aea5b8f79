#include "mirror/kept_entries.h"

#include <algorithm>

namespace mirror {

void KeptEntries::Reset(std::size_t copies, std::size_t rows) {
  rows_ = rows;
  words_per_copy_ = (rows + 63) / 64;
  bits_.assign(copies * words_per_copy_, uint64_t{0});
  before_.clear();
}

void KeptEntries::KeepCopy(std::size_t copy) {
  if (words_per_copy_ == 0) return;
  const auto first =
      bits_.begin() + static_cast<std::ptrdiff_t>(copy * words_per_copy_);
  std::fill(first, first + static_cast<std::ptrdiff_t>(words_per_copy_),
            ~uint64_t{0});
  if (rows_ % 64 != 0) {
    *(first + static_cast<std::ptrdiff_t>(words_per_copy_ - 1)) =
        (uint64_t{1} << (rows_ % 64)) - 1;
  }
}

void KeptEntries::Count() {
  before_.resize(bits_.size() + 1);
  uint32_t kept = 0;
  for (std::size_t w = 0; w < bits_.size(); ++w) {
    before_[w] = kept;
    kept += static_cast<uint32_t>(std::popcount(bits_[w]));
  }
  before_.back() = kept;
}

void KeptEntries::Find(std::size_t position, std::size_t& word,
                       unsigned& bit) const {
  // The last word with at most `position` kept entries before it holds
  // the entry.
  word = static_cast<std::size_t>(
             std::upper_bound(before_.begin(), before_.end(), position) -
             before_.begin()) -
         1;
  uint64_t kept = bits_[word];
  for (std::size_t skipped = before_[word]; skipped < position; ++skipped) {
    kept &= kept - 1;
  }
  bit = static_cast<unsigned>(std::countr_zero(kept));
}

}  // namespace mirror
