#include "mesh/reader_result.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "work/work_tables.h"

namespace mesh {
namespace {

using Status = ImportOutcome::Status;

constexpr uint64_t kMagic = 0x3174'6c75'7365'524f;  // "OResult1"
// More would be no message a user reads.
constexpr uint32_t kLongestText = 4096;
constexpr uint32_t kMostNotes = 64;

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
};
static_assert(sizeof(Header) % 8 == 0);

std::size_t Padded(std::size_t bytes) { return (bytes + 7) & ~std::size_t{7}; }

std::size_t TextsSize(const ImportOutcome& outcome) {
  std::size_t bytes =
      4 + std::min<std::size_t>(outcome.reason.size(), kLongestText);
  const std::size_t notes =
      std::min<std::size_t>(outcome.notes.size(), kMostNotes);
  for (std::size_t i = 0; i < notes; ++i) {
    bytes += 4 + std::min<std::size_t>(outcome.notes[i].size(), kLongestText);
  }
  return Padded(bytes);
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

  bool Skip(std::size_t size) {
    if (size > bytes_.size()) return false;
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
  void Pad() { out_.resize(Padded(out_.size())); }

 private:
  std::vector<std::byte>& out_;
};

bool IsStatus(uint32_t status) {
  return status <= static_cast<uint32_t>(Status::kTooLarge);
}

}  // namespace

std::size_t ReaderResultSize(const ImportOutcome& outcome, std::size_t points,
                             std::size_t triangles) {
  std::size_t bytes = sizeof(Header) + TextsSize(outcome);
  if (outcome.status == Status::kImported) {
    bytes += (points + triangles) * sizeof(work::TableEntry) + triangles;
  }
  return bytes;
}

std::vector<std::byte> ReaderResultHead(const ImportOutcome& outcome,
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
  };
  std::vector<std::byte> head;
  Writer writer(head);
  writer.Put(&header, sizeof header);
  writer.PutText(outcome.reason);
  for (uint32_t i = 0; i < header.note_count; ++i) {
    writer.PutText(outcome.notes[i]);
  }
  writer.Pad();
  return head;
}

std::vector<std::byte> EncodeReaderResult(const ImportOutcome& outcome,
                                          const obt::ObtObject& object) {
  std::vector<std::byte> bytes =
      ReaderResultHead(outcome, object.points.size(), object.triangles.size());
  if (outcome.status != Status::kImported) return bytes;
  Writer writer(bytes);
  writer.Put(object.points.data(),
             object.points.size() * sizeof(work::TableEntry));
  writer.Put(object.triangles.data(),
             object.triangles.size() * sizeof(work::TableEntry));
  writer.Put(object.fourth_values.data(), object.triangles.size());
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
  outcome.scale = header.scale;
  if (outcome.meshes < 0 || outcome.dropped_points < 0 ||
      outcome.dropped_lines < 0 || !std::isfinite(outcome.scale) ||
      !(outcome.scale > 0)) {
    return refuse("counts or a scale the reader cannot have");
  }
  const std::size_t texts_start = cursor.left();
  if (!cursor.TakeText(outcome.reason)) return refuse("a text cut short");
  outcome.notes.resize(header.note_count);
  for (std::string& note : outcome.notes) {
    if (!cursor.TakeText(note)) return refuse("a text cut short");
  }
  const std::size_t texts = texts_start - cursor.left();
  if (!cursor.Skip(Padded(texts) - texts)) return refuse("a text cut short");

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
  if (cursor.left() !=
      (points + triangles) * sizeof(work::TableEntry) + triangles) {
    return refuse("lists of another size than their counts");
  }
  obt::ObjectLists& lists = result.lists;
  lists.points = cursor.TakeSpan<work::TableEntry>(points);
  lists.triangles = cursor.TakeSpan<work::TableEntry>(triangles);
  lists.fourth_values = cursor.TakeSpan<uint8_t>(triangles);
  // The largest corner of all, a negative one counting as larger than any
  // point number, in a loop without a branch, which the compiler makes
  // into vector instructions.
  uint32_t largest = 0;
  for (const work::TableEntry& corners : lists.triangles) {
    largest = std::max({largest, static_cast<uint32_t>(corners[0]),
                        static_cast<uint32_t>(corners[1]),
                        static_cast<uint32_t>(corners[2])});
  }
  if (imported && largest >= static_cast<uint32_t>(points)) {
    return refuse("a triangle naming a point the object lacks");
  }
  return result;
}

}  // namespace mesh
