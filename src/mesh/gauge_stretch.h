#ifndef OBTMIRROR_MESH_GAUGE_STRETCH_H_
#define OBTMIRROR_MESH_GAUGE_STRETCH_H_

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "work/feedback.h"

namespace mesh {

// The part [from, to] of a gauge of maximum 100 that one step of a command
// fills, so that reading, converting and writing share one bar. It is a
// Feedback itself, for steps that set a gauge of their own.
class GaugeStretch final : public work::Feedback {
 public:
  GaugeStretch(work::Feedback& feedback, int32_t from, int32_t to)
      : feedback_(feedback), from_(from), to_(to) {}

  // `fraction` of the step is done.
  void Report(double fraction) const {
    const double clamped = std::clamp(fraction, 0.0, 1.0);
    feedback_.SetGaugeProgress(from_ +
                               static_cast<int32_t>(clamped * (to_ - from_)));
  }

  void SetStatusText(std::string_view text) override {
    feedback_.SetStatusText(text);
  }
  void SetGaugeMaximum(int32_t maximum) override { maximum_ = maximum; }
  void SetGaugeProgress(int32_t progress) override {
    if (maximum_ > 0) Report(static_cast<double>(progress) / maximum_);
  }

 private:
  work::Feedback& feedback_;
  int32_t from_;
  int32_t to_;
  int32_t maximum_ = 0;
};

}  // namespace mesh

#endif  // OBTMIRROR_MESH_GAUGE_STRETCH_H_
