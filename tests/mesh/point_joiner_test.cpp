#include "mesh/point_joiner.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using work::TableEntry;

TEST(PointJoinerTest, NumbersPointsInFirstSeenOrderWhileTheTableGrows) {
  // A lattice, every point met twice in a row and once more later, in
  // batches of every size while the table grows; a second joiner is told
  // beforehand how many vertices and points come.
  std::vector<TableEntry> lattice;
  for (int32_t x = -50; x < 50; ++x) {
    for (int32_t y = -50; y < 50; ++y) {
      lattice.push_back({x, y, x * y});
    }
  }
  std::vector<TableEntry> vertices;
  for (const TableEntry& point : lattice) {
    vertices.push_back(point);
    vertices.push_back(point);
  }
  vertices.insert(vertices.end(), lattice.rbegin(), lattice.rend());

  for (const bool expect : {false, true}) {
    SCOPED_TRACE(expect);
    mesh::PointJoiner joiner;
    if (expect) joiner.Expect(vertices.size(), lattice.size());
    std::vector<uint32_t> numbers(vertices.size());
    std::size_t done = 0;
    for (std::size_t size = 1; done < vertices.size();
         size = size % mesh::PointJoiner::kBatch + 1) {
      const std::size_t take = std::min(size, vertices.size() - done);
      joiner.Join(std::span(vertices.data() + done, take), &numbers[done]);
      done += take;
    }
    for (std::size_t i = 0; i < lattice.size(); ++i) {
      ASSERT_EQ(numbers[2 * i], i);
      ASSERT_EQ(numbers[2 * i + 1], i);
      ASSERT_EQ(numbers[vertices.size() - 1 - i], i);
    }
    // Finding gives the same numbers, and kAbsent off the lattice.
    const std::vector<TableEntry> sought = {lattice[7], {0, 0, 1}, lattice[0]};
    std::vector<uint32_t> found(sought.size());
    joiner.Find(sought, found.data());
    EXPECT_EQ(found, (std::vector<uint32_t>{7, mesh::PointJoiner::kAbsent, 0}));
    EXPECT_EQ(joiner.TakePoints(), lattice);
    EXPECT_EQ(joiner.point_count(), 0u);
  }
}

}  // namespace
