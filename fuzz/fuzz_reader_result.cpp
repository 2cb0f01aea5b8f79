// Arbitrary bytes as the result a reader process hands back: whatever a
// reader taken over by its file writes, the command either refuses it or
// gets lists it may use as they are.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "mesh/reader_result.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  // The memory file is mapped at a page, so its bytes start aligned.
  std::vector<uint64_t> aligned((size + 7) / 8);
  if (size > 0) std::memcpy(aligned.data(), data, size);
  std::string fault;
  const std::optional<mesh::ReaderResult> result = mesh::ParseReaderResult(
      std::span(reinterpret_cast<const std::byte*>(aligned.data()), size),
      fault);
  if (!result) {
    if (fault.empty()) fuzzing::Fail("a refusal without a reason");
    return 0;
  }
  const obt::ObjectLists& lists = result->lists;
  if (lists.fourth_values.size() != lists.triangles.size()) {
    fuzzing::Fail("FourthValues that do not match the triangles");
  }
  for (const work::TableEntry& corners : lists.triangles) {
    for (const int32_t corner : corners) {
      if (corner < 0 ||
          static_cast<std::size_t>(corner) >= lists.points.size()) {
        fuzzing::Fail("a corner outside the points");
      }
    }
  }
  for (const std::string& text : result->outcome.notes) {
    for (const char c : text) {
      if (static_cast<unsigned char>(c) < 0x20)
        fuzzing::Fail("a control character");
    }
  }
  return 0;
}
