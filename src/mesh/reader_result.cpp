#include "mesh/reader_result.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "work/run_parts.h"
#include "work/work_tables.h"

namespace mesh {
namespace {

using Status = ImportOutcome::Status;

constexpr uint64_t kMagic = 0x3174'6c75'7365'524f;  // "OResult1"

struct Header {
  uint64_t magic;
  uint32_t status;
  uint32_t note_count;
  int64_t meshes;
  int64_t dropped_points;
  int64_t dropped_lines;
  double scale;
  uint64_t point_count;
  uint64_t triangle_count;
  int64_t dropped_degenerate;
};
static_assert(sizeof(Header) % 8 == 0);

std::size_t TextsSize(const ImportOutcome& outcome) {
  std::size_t bytes =
      4 + std::min<std::size_t>(outcome.reason.size(), kLongestText);
  const std::size_t notes =
      std::min<std::size_t>(outcome.notes.size(), kMostNotes);
  for (std::size_t i = 0; i < notes; ++i) {
    bytes += 4 + std::min<std::size_t>(outcome.notes[i].size(), kLongestText);
  }
  return bytes;
}

// Reads from the front of a span of bytes, never past its end.
class Cursor {
 public:
  explicit Cursor(std::span<const std::byte> bytes) : bytes_(bytes) {}

  std::size_t left() const { return bytes_.size(); }

  bool Take(void* out, std::size_t size) {
    if (size > bytes_.size()) return false;
    std::memcpy(out, bytes_.data(), size);
    bytes_ = bytes_.subspan(size);
    return true;
  }

  // A text of at most kLongestText bytes, with control characters shown
  // as "?".
  bool TakeText(std::string& text) {
    uint32_t size = 0;
    if (!Take(&size, sizeof size) || size > kLongestText ||
        size > bytes_.size()) {
      return false;
    }
    text.assign(reinterpret_cast<const char*>(bytes_.data()), size);
    for (char& c : text) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20 || byte == 0x7f) c = '?';
    }
    bytes_ = bytes_.subspan(size);
    return true;
  }

  template <typename T>
  std::span<const T> TakeSpan(std::size_t count) {
    const std::span<const std::byte> taken = bytes_.first(count * sizeof(T));
    bytes_ = bytes_.subspan(taken.size());
    return {reinterpret_cast<const T*>(taken.data()), count};
  }

 private:
  std::span<const std::byte> bytes_;
};

class Writer {
 public:
  explicit Writer(std::vector<std::byte>& out) : out_(out) {}

  void Put(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::byte*>(data);
    out_.insert(out_.end(), bytes, bytes + size);
  }
  void PutText(const std::string& text) {
    const auto size =
        static_cast<uint32_t>(std::min<std::size_t>(text.size(), kLongestText));
    Put(&size, sizeof size);
    Put(text.data(), size);
  }

 private:
  std::vector<std::byte>& out_;
};

bool IsStatus(uint32_t status) {
  return status <= static_cast<uint32_t>(Status::kTooLarge);
}

}  // namespace

std::size_t ReaderResultSize(const ImportOutcome& outcome, std::size_t points,
                             std::size_t triangles) {
  return outcome.status == Status::kImported
             ? ReaderListsEnd(points, triangles) + TextsSize(outcome)
             : sizeof(Header) + TextsSize(outcome);
}

std::size_t ReaderListsEnd(std::size_t points, std::size_t triangles) {
  return sizeof(Header) + (points + triangles) * sizeof(work::TableEntry) +
         triangles;
}

std::vector<std::byte> ReaderResultHeader(const ImportOutcome& outcome,
                                          std::size_t points,
                                          std::size_t triangles) {
  const bool imported = outcome.status == Status::kImported;
  const Header header = {
      kMagic,
      static_cast<uint32_t>(outcome.status),
      static_cast<uint32_t>(
          std::min<std::size_t>(outcome.notes.size(), kMostNotes)),
      outcome.meshes,
      outcome.dropped_points,
      outcome.dropped_lines,
      outcome.scale,
      imported ? points : 0,
      imported ? triangles : 0,
      outcome.dropped_degenerate,
  };
  std::vector<std::byte> bytes;
  Writer(bytes).Put(&header, sizeof header);
  return bytes;
}

std::vector<std::byte> ReaderResultTexts(const ImportOutcome& outcome) {
  std::vector<std::byte> bytes;
  Writer writer(bytes);
  writer.PutText(outcome.reason);
  const std::size_t notes =
      std::min<std::size_t>(outcome.notes.size(), kMostNotes);
  for (std::size_t i = 0; i < notes; ++i) writer.PutText(outcome.notes[i]);
  return bytes;
}

std::vector<std::byte> EncodeReaderResult(const ImportOutcome& outcome,
                                          const obt::ObtObject& object) {
  std::vector<std::byte> bytes = ReaderResultHeader(
      outcome, object.points.size(), object.triangles.size());
  Writer writer(bytes);
  if (outcome.status == Status::kImported) {
    writer.Put(object.points.data(),
               object.points.size() * sizeof(work::TableEntry));
    writer.Put(object.triangles.data(),
               object.triangles.size() * sizeof(work::TableEntry));
    writer.Put(object.fourth_values.data(), object.triangles.size());
  }
  const std::vector<std::byte> texts = ReaderResultTexts(outcome);
  writer.Put(texts.data(), texts.size());
  return bytes;
}

std::optional<ReaderResult> ParseReaderResult(std::span<const std::byte> bytes,
                                              std::string& fault) {
  const auto refuse = [&fault](const char* why) {
    fault = why;
    return std::nullopt;
  };
  Cursor cursor(bytes);
  Header header;
  if (!cursor.Take(&header, sizeof header) || header.magic != kMagic) {
    return refuse("no result of the reader");
  }
  if (!IsStatus(header.status) || header.note_count > kMostNotes) {
    return refuse("an outcome the reader cannot have");
  }
  ReaderResult result;
  ImportOutcome& outcome = result.outcome;
  outcome.status = static_cast<Status>(header.status);
  outcome.meshes = header.meshes;
  outcome.dropped_points = header.dropped_points;
  outcome.dropped_lines = header.dropped_lines;
  outcome.dropped_degenerate = header.dropped_degenerate;
  outcome.scale = header.scale;
  if (outcome.meshes < 0 || outcome.dropped_points < 0 ||
      outcome.dropped_lines < 0 || outcome.dropped_degenerate < 0 ||
      !std::isfinite(outcome.scale) || !(outcome.scale > 0)) {
    return refuse("counts or a scale the reader cannot have");
  }
  const bool imported = outcome.status == Status::kImported;
  const uint64_t points = header.point_count;
  const uint64_t triangles = header.triangle_count;
  if (!imported && (points != 0 || triangles != 0)) {
    return refuse("an object beside a failure");
  }
  if (imported && (points == 0 || triangles == 0 ||
                   points > static_cast<uint64_t>(work::kTableCapacity) ||
                   triangles > static_cast<uint64_t>(work::kTableCapacity))) {
    return refuse("counts outside what a run holds");
  }
  // Within the capacity, none of these products can overflow.
  const std::size_t list_bytes =
      (points + triangles) * sizeof(work::TableEntry) + triangles;
  if (cursor.left() < list_bytes) {
    return refuse("lists of another size than their counts");
  }
  obt::ObjectLists& lists = result.lists;
  lists.points = cursor.TakeSpan<work::TableEntry>(points);
  lists.triangles = cursor.TakeSpan<work::TableEntry>(triangles);
  lists.fourth_values = cursor.TakeSpan<uint8_t>(triangles);

  if (!cursor.TakeText(outcome.reason)) return refuse("a text cut short");
  outcome.notes.resize(header.note_count);
  for (std::string& note : outcome.notes) {
    if (!cursor.TakeText(note)) return refuse("a text cut short");
  }
  if (cursor.left() != 0) return refuse("bytes after the texts");

  // The largest corner of all, a negative one counting as larger than any
  // point number, over the corners as one list of unsigned words (which
  // may alias the signed ones) in a loop that the compiler makes into
  // vector instructions, on both halves at once: this is the first look at
  // the pages of memory another process filled.
  const auto* corners =
      reinterpret_cast<const uint32_t*>(lists.triangles.data());
  const std::size_t count = 3 * lists.triangles.size();
  std::array<uint32_t, 2> most{};
  work::RunParts(most.size(), [&](std::size_t part) {
    const std::size_t end = count * (part + 1) / most.size();
    uint32_t largest = 0;
    for (std::size_t i = count * part / most.size(); i < end; ++i) {
      const uint32_t corner = corners[i];
      largest = corner > largest ? corner : largest;
    }
    most[part] = largest;
  });
  const uint32_t largest = std::max(most[0], most[1]);
  if (imported && largest >= static_cast<uint32_t>(points)) {
    return refuse("a triangle naming a point the object lacks");
  }
  return result;
}

}  // namespace mesh
