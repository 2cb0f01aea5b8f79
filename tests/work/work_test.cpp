// What every part of a run relies on: background work is waited for and
// its exception reaches the owner; each part of a split run runs once and
// its exception reaches the caller; page blocks read as zero until written
// and again once given back.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "work/background.h"
#include "work/page_block.h"
#include "work/run_parts.h"

namespace {

TEST(BackgroundTest, IsWaitedForAndCarriesItsExceptionToTheOwner) {
  const struct {
    bool throws;
    // How the owner ends it: Wait, or going out of scope.
    bool waits;
  } cases[] = {{false, true}, {true, true}, {false, false}, {true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.throws << " " << c.waits);
    std::atomic<int> runs = 0;
    {
      work::Background background;
      // Work started again waits for the work before it.
      for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(background.Start([&] {
          ++runs;
          if (c.throws) throw std::runtime_error("work failed");
        }));
      }
      EXPECT_TRUE(background.Started());
      if (c.waits) {
        if (c.throws) {
          EXPECT_THROW(background.Wait(), std::runtime_error);
        } else {
          background.Wait();
        }
        EXPECT_FALSE(background.Started());
        // What was thrown is thrown once.
        background.Wait();
      }
    }
    EXPECT_EQ(runs.load(), 2);
  }
}

TEST(RunPartsTest, RunsEachPartOnceAndCarriesTheFirstException) {
  const struct {
    std::size_t parts;
    // The part that throws; parts for none.
    std::size_t throwing;
  } cases[] = {{1, 1}, {2, 2}, {5, 5}, {1, 0}, {3, 0}, {3, 2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.parts << " parts, " << c.throwing);
    std::vector<std::atomic<int>> runs(c.parts);
    const auto work = [&](std::size_t part) {
      ++runs[part];
      if (part == c.throwing) throw std::runtime_error("part failed");
    };
    if (c.throwing < c.parts) {
      EXPECT_THROW(work::RunParts(c.parts, work), std::runtime_error);
    } else {
      work::RunParts(c.parts, work);
    }
    // Every part ran, the throwing one included, before RunParts returned.
    for (const std::atomic<int>& count : runs) EXPECT_EQ(count.load(), 1);
  }
}

TEST(PageBlockTest, ReadsAsZeroUntilWrittenAndOnceGivenBack) {
  constexpr std::size_t kPage = 4096;
  constexpr std::size_t kBytes = 4 * kPage + 100;
  work::PageBlock block(kBytes);
  auto* const bytes = static_cast<unsigned char*>(block.data());
  ASSERT_NE(bytes, nullptr);
  for (std::size_t at = 0; at < kBytes; at += 511) EXPECT_EQ(bytes[at], 0);
  std::memset(bytes, 7, kBytes);
  // From the first whole page on, up to the end of the page that holds the
  // last byte.
  block.Discard(kPage / 2, 2 * kPage + 1);
  EXPECT_EQ(bytes[kPage - 1], 7);
  EXPECT_EQ(bytes[kPage], 0);
  EXPECT_EQ(bytes[3 * kPage - 1], 0);
  EXPECT_EQ(bytes[3 * kPage], 7);
  const work::PageBlock moved = std::move(block);
  EXPECT_TRUE(block.empty());
  EXPECT_EQ(static_cast<unsigned char*>(moved.data())[kPage - 1], 7);
}

}  // namespace
