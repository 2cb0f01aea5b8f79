#ifndef OBTMIRROR_MESH_VERTEX_BATCH_H_
#define OBTMIRROR_MESH_VERTEX_BATCH_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "mesh/point_joiner.h"
#include "mesh/recent_vertices.h"
#include "work/work_tables.h"

namespace mesh {

// Vertices on their way into a PointJoiner, a batch at a time: once a
// batch is joined, each of its vertices has its point number in `numbers`
// at its place. While an instance is recalled, its vertices are remembered
// as they are batched (see RecentVertices), so that a vertex met again
// takes the number of the first without being rounded or looked up again;
// a vertex that the batch still holds is remembered as pending, and one met
// again meanwhile takes its number when the batch is joined.
//
// Recall, next_point and Add run for every vertex and are here to be
// inlined.
class VertexBatch {
 public:
  VertexBatch(PointJoiner& joiner, uint32_t* numbers)
      : joiner_(joiner), numbers_(numbers) {}

  // Begins the vertices of another instance, recalled when `recalls`: the
  // numbers of one instance are no use under another's transform. False
  // when joining the batch for it made more points than a run holds.
  bool BeginInstance(bool recalls);

  // Whether the vertices of the instance are recalled.
  bool recalling() const { return recalling_; }

  // What became of a vertex offered to Recall.
  enum class Recalled {
    // Not met lately: it is remembered now, and goes into the batch next.
    kNew,
    // Met lately: it has the number of the first, or will have it once
    // the batch is joined.
    kMet,
    // Met lately, and joining the batch to make room for more such
    // vertices made more points than a run holds.
    kTooManyPoints,
  };

  // While recalling: looks up the vertex whose coordinates have the bits
  // of `key`, and whose number goes to `place`.
  Recalled Recall(const RecentVertices::Key& key, std::size_t place) {
    keys_[batched_] = key;
    const uint32_t found = recent_->Find(key);
    if (found == RecentVertices::kNone) {
      recent_->Remember(key, kPending | static_cast<uint32_t>(batched_));
      return Recalled::kNew;
    }
    if ((found & kPending) == 0) {
      numbers_[place] = found;
      return Recalled::kMet;
    }
    alias_places_[aliased_] = place;
    alias_of_[aliased_++] = found & ~kPending;
    if (aliased_ == kAliases && !Flush()) return Recalled::kTooManyPoints;
    return Recalled::kMet;
  }

  // The point of the vertex that Add will batch next.
  work::TableEntry& next_point() { return points_[batched_]; }

  // Batches the point in next_point(), whose number goes to `place`.
  void Add(std::size_t place) { places_[batched_++] = place; }

  // Whether the batch is full and wants Flush.
  bool full() const { return batched_ == PointJoiner::kBatch; }

  // Joins the batch, numbering its vertices and those met again meanwhile;
  // false when the joiner then has more points than a run holds.
  bool Flush();

 private:
  // Vertices of a batch that are met again before it is joined.
  static constexpr std::size_t kAliases = 4 * PointJoiner::kBatch;
  // Marks a number remembered for a vertex that the batch still holds: the
  // rest of it is the vertex's place in the batch.
  static constexpr uint32_t kPending = 1U << 31;

  PointJoiner& joiner_;
  uint32_t* const numbers_;

  std::array<work::TableEntry, PointJoiner::kBatch> points_;
  std::array<RecentVertices::Key, PointJoiner::kBatch> keys_;
  std::array<uint32_t, PointJoiner::kBatch> joined_;
  std::array<std::size_t, PointJoiner::kBatch> places_;
  std::size_t batched_ = 0;

  std::unique_ptr<RecentVertices> recent_;
  bool recalling_ = false;
  // The vertices met again while pending: where each number goes, and the
  // place of its first in the batch.
  std::array<std::size_t, kAliases> alias_places_;
  std::array<uint32_t, kAliases> alias_of_;
  std::size_t aliased_ = 0;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_VERTEX_BATCH_H_
