#include "mesh/vertex_batch.h"

#include <span>

namespace mesh {

bool VertexBatch::BeginInstance(bool recalls) {
  if (!recalls && !recalling_) return true;
  if (!Flush()) return false;
  recalling_ = recalls;
  if (recalls) {
    if (!recent_) recent_ = std::make_unique<RecentVertices>();
    recent_->Clear();
  }
  return true;
}

bool VertexBatch::Flush() {
  joiner_.Join(std::span(points_.data(), batched_), joined_.data());
  for (std::size_t i = 0; i < batched_; ++i) {
    numbers_[places_[i]] = joined_[i];
    if (recalling_) recent_->Remember(keys_[i], joined_[i]);
  }
  for (std::size_t i = 0; i < aliased_; ++i) {
    numbers_[alias_places_[i]] = joined_[alias_of_[i]];
  }
  batched_ = 0;
  aliased_ = 0;
  return static_cast<int64_t>(joiner_.point_count()) <= work::kTableCapacity;
}

}  // namespace mesh
