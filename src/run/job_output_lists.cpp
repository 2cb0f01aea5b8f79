// The output lists of a run: the source's list with its mirrored copies,
// and what a stage keeps of them.

#include <cstddef>
#include <cstdint>

#include "mirror/kept_entries.h"
#include "run/conversion_job.h"
#include "run/output_list.h"

namespace run {

ConversionJob::OutputList ConversionJob::Replicated(int32_t count) const {
  return {OutputCount(mirror_.plan.copy_count, count),
          static_cast<std::size_t>(mirror_.plan.copy_count + 1),
          EntriesFor(0, count)};
}

ConversionJob::OutputList ConversionJob::Staged(
    const OutputList& replicated, const mirror::KeptEntries& kept) {
  OutputList staged = replicated;
  staged.count_line = static_cast<int32_t>(kept.count());
  staged.kept = &kept;
  return staged;
}

}  // namespace run
