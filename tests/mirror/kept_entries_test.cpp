// Blocks of output lines find their entries whatever the pattern of kept
// and dropped ones: runs across word and copy boundaries, empty copies,
// rows a multiple of the word size.
#include "mirror/kept_entries.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <random>
#include <vector>

namespace mirror {
namespace {

struct Entry {
  std::size_t copy;
  std::size_t row;

  bool operator==(const Entry&) const = default;
};

TEST(KeptEntriesTest, BlocksGiveTheKeptEntriesInOrder) {
  struct Case {
    std::size_t copies;
    std::size_t rows;
    // Per mille of the entries kept; copies whose number is a multiple of
    // `whole_every` are kept whole.
    int kept_per_mille;
    std::size_t whole_every;
  };
  const Case cases[] = {
      {1, 1, 1000, 0}, {3, 64, 900, 2}, {8, 130, 500, 0}, {8, 128, 995, 3},
      {5, 200, 20, 0}, {4, 0, 1000, 1}, {2, 63, 0, 0},    {9, 65, 700, 4},
  };
  std::mt19937 random(7);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.copies << " copies of " << c.rows);
    KeptEntries kept;
    kept.Reset(c.copies, c.rows);
    std::vector<Entry> expected;
    for (std::size_t copy = 0; copy < c.copies; ++copy) {
      const bool whole = c.whole_every != 0 && copy % c.whole_every == 0;
      if (whole) kept.KeepCopy(copy);
      for (std::size_t row = 0; row < c.rows; ++row) {
        const bool keep =
            whole || static_cast<int>(random() % 1000) < c.kept_per_mille;
        if (keep) {
          kept.Keep(copy, row);
          expected.push_back({copy, row});
        } else {
          kept.Drop(copy, row);
        }
      }
    }
    kept.Count();
    ASSERT_EQ(kept.count(), expected.size());

    const auto block = [&kept](std::size_t first, std::size_t end) {
      std::vector<Entry> got;
      kept.ForEachRun(
          first, end,
          [&](std::size_t copy, std::size_t row, std::size_t end_row) {
            EXPECT_LT(row, end_row);
            for (; row < end_row; ++row) got.push_back({copy, row});
          });
      return got;
    };
    EXPECT_EQ(block(0, expected.size()), expected);
    // Past the end nothing more comes.
    EXPECT_EQ(block(0, expected.size() + 5), expected);
    for (int draw = 0; draw < 200 && !expected.empty(); ++draw) {
      const std::size_t first = random() % expected.size();
      const std::size_t end = first + random() % (expected.size() - first + 1);
      EXPECT_EQ(block(first, end), std::vector<Entry>(expected.begin() + first,
                                                      expected.begin() + end))
          << "lines " << first << " to " << end;
    }
  }
}

}  // namespace
}  // namespace mirror
