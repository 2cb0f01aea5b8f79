#include "obt/obt_object.h"

#include <algorithm>
#include <array>

#include "obt/decimal_format.h"
#include "obt/io_error.h"
#include "obt/obt_format.h"
#include "obt/pending_io_error.h"
#include "obt/text_reader.h"
#include "obt/text_writer.h"
#include "obt/triangle_lines.h"

namespace obt {
namespace {

// Entries between two reports on the gauge.
constexpr int64_t kProgressStep = 1 << 16;

// Room for an entry list is taken as the file fills it, not at once: a
// count can promise far more than the file holds.
constexpr std::size_t kFirstReserve = 1 << 16;

std::size_t ReserveFor(int32_t count) {
  return static_cast<std::size_t>(
      std::clamp<int64_t>(count, 0, int64_t{kFirstReserve}));
}

// Room for one more of the `count` entries of a list: doubling, as a vector
// grows, but never beyond the count.
template <typename T>
void RoomForOneMore(std::vector<T>& items, int32_t count) {
  if (items.size() < items.capacity()) return;
  const std::size_t doubled = std::min<std::size_t>(
      2 * items.capacity(), static_cast<std::size_t>(std::max(count, 0)));
  items.reserve(std::max(doubled, items.size() + 1));
}

class ObjectReader {
 public:
  ObjectReader(TextReader& reader, ObtObject& object, work::Feedback& feedback,
               bool points_only)
      : reader_(reader),
        object_(object),
        feedback_(feedback),
        points_only_(points_only) {}

  ObtReadOutcome Read() {
    if (!ReadObtHeader(reader_, object_.header)) {
      return {ObtReadOutcome::Status::kNotObt};
    }
    feedback_.SetGaugeMaximum(100);
    feedback_.SetGaugeProgress(0);

    if (!ReadCount(object_.point_count, object_.point_count_line)) {
      return Stop(ObtReadOutcome::Status::kTooLarge, object_.point_count_line);
    }
    total_ = std::max<int64_t>(object_.point_count, 0);
    object_.points.reserve(ReserveFor(object_.point_count));
    object_.points_missing_from =
        ReadList<3>(object_.point_count, object_.point_lines,
                    [this](const std::array<int32_t, 3>& xyz) {
                      RoomForOneMore(object_.points, object_.point_count);
                      object_.points.push_back({xyz[0], xyz[1], xyz[2]});
                    });
    if (malformed()) return Malformed();
    if (points_only_) return {};

    if (!ReadCount(object_.triangle_count, object_.triangle_count_line)) {
      return Stop(ObtReadOutcome::Status::kTooLarge,
                  object_.triangle_count_line);
    }
    total_ += std::max<int64_t>(object_.triangle_count, 0);
    object_.triangles.reserve(ReserveFor(object_.triangle_count));
    object_.fourth_values.reserve(ReserveFor(object_.triangle_count));
    object_.triangles_missing_from = ReadList<4>(
        object_.triangle_count, object_.triangle_lines,
        [this](const std::array<int32_t, 4>& line) {
          RoomForOneMore(object_.triangles, object_.triangle_count);
          RoomForOneMore(object_.fourth_values, object_.triangle_count);
          object_.triangles.push_back({line[0], line[1], line[2]});
          object_.fourth_values.push_back(static_cast<uint8_t>(line[3]));
        });
    if (malformed()) return Malformed();

    FindTextAfterEnd();
    feedback_.SetGaugeProgress(100);
    return {};
  }

 private:
  bool malformed() const { return reader_.first_malformed_line() != 0; }

  ObtReadOutcome Malformed() const {
    return Stop(ObtReadOutcome::Status::kMalformedNumber,
                reader_.first_malformed_line());
  }

  static ObtReadOutcome Stop(ObtReadOutcome::Status status, int64_t line) {
    return {status, 0, line};
  }

  // False when the count exceeds the capacity of a run.
  bool ReadCount(int32_t& count, int64_t& line) {
    std::array<int32_t, 1> value{};
    line = reader_.ReadNumberLine(value);
    count = value[0];
    return count <= work::kTableCapacity;
  }

  // Reads up to `count` entries and hands each to `take`. Returns the first
  // entry the file does not hold whole, or -1. Stops at a malformed number.
  template <std::size_t kNumbers, typename Take>
  int64_t ReadList(int32_t count, RecordLines& lines, const Take& take) {
    std::array<int32_t, kNumbers> values{};
    for (int64_t i = 0; i < count; ++i) {
      if (reader_.AtEndOfInput()) return i;
      const int64_t missing_before = reader_.numbers_past_end();
      lines.Add(i, reader_.ReadNumberLine(values));
      take(values);
      if (reader_.numbers_past_end() != missing_before) return i;
      if (malformed()) return -1;
      if (++done_ % kProgressStep == 0) {
        feedback_.SetGaugeProgress(static_cast<int32_t>(done_ * 100 / total_));
      }
    }
    return -1;
  }

  void FindTextAfterEnd() {
    if (!reader_.SkipSeparators()) return;
    if (object_.IsVersion2()) {
      // The closing line, which no reader looks at.
      reader_.SkipToNextLine();
      if (!reader_.SkipSeparators()) return;
    }
    object_.text_after_end_line = reader_.line_number();
  }

  TextReader& reader_;
  ObtObject& object_;
  work::Feedback& feedback_;
  const bool points_only_;
  int64_t total_ = 0;
  int64_t done_ = 0;
};

}  // namespace

bool ObtObject::IsVersion2() const {
  return header.version_text == kVersion2Line;
}

void ObtObject::PadWithZeros() {
  points.resize(static_cast<std::size_t>(std::max(point_count, 0)));
  triangles.resize(static_cast<std::size_t>(std::max(triangle_count, 0)));
  fourth_values.resize(triangles.size());
}

namespace {

ObtReadOutcome ReadObject(const std::string& path, ObtObject& object,
                          work::Feedback& feedback, bool points_only) {
  PendingIoError pending;
  TextReader reader(pending);
  object = ObtObject{};
  if (const int error = reader.OpenForReading(path); error != 0) {
    return {ObtReadOutcome::Status::kNotOpened, error, 0};
  }
  ObtReadOutcome outcome =
      ObjectReader(reader, object, feedback, points_only).Read();
  const int64_t line = reader.line_number();
  reader.CloseTextFile();
  // A failing read ends the input as the end of the file would, so the
  // object would look merely short; a malformed number has its own outcome.
  if (const int code = pending.TakeIoError();
      code != 0 && code != kIoInvalidNumber &&
      outcome.status == ObtReadOutcome::Status::kRead) {
    outcome = {ObtReadOutcome::Status::kReadFailed, code, line};
  }
  return outcome;
}

}  // namespace

ObtReadOutcome ReadObtFile(const std::string& path, ObtObject& object,
                           work::Feedback& feedback) {
  return ReadObject(path, object, feedback, false);
}

ObtReadOutcome ReadObtPoints(const std::string& path, ObtObject& object,
                             work::Feedback& feedback) {
  return ReadObject(path, object, feedback, true);
}

int WriteObtFile(const std::string& path, const ObtObject& object,
                 int& create_error) {
  return WriteObtFile(path, object.header,
                      {object.points, object.triangles, object.fourth_values},
                      create_error);
}

int WriteObtFile(const std::string& path, const ObtHeader& header,
                 const ObjectLists& lists, int& create_error) {
  PendingIoError pending;
  TextWriter writer(pending);
  create_error = writer.OpenForWriting(path);
  if (const int code = pending.TakeIoError(); code != 0) return code;

  const auto count_line = [&writer](std::size_t count) {
    writer.WriteNumber(static_cast<int32_t>(count));
    writer.EndLine();
  };
  writer.WriteText(header.magic_text);
  writer.EndLine();
  writer.WriteText(header.version_text);
  writer.EndLine();
  const std::span<const work::TableEntry> points = lists.points;
  count_line(points.size());
  writer.WriteLines(points.size(), kMaxNumberLineLength<3>,
                    [points](std::size_t first, std::size_t end, char* out) {
                      for (std::size_t i = first; i < end; ++i) {
                        out = WriteNumberLine(out, points[i][0], points[i][1],
                                              points[i][2]);
                      }
                      return out;
                    });
  const std::span<const work::TableEntry> triangles = lists.triangles;
  const std::span<const uint8_t> fourth = lists.fourth_values;
  count_line(triangles.size());
  writer.WriteLines(
      triangles.size(), kMaxNumberLineLength<4>,
      [triangles, fourth](std::size_t first, std::size_t end, char* out) {
        return WriteTriangleLines(out, triangles.data() + first,
                                  fourth.data() + first, end - first);
      });
  if (header.version_text == kVersion2Line) {
    writer.WriteSingleChar('0');
    writer.EndLine();
  }
  // A failed write leaves its code pending; the close then drops the output
  // instead of putting it in the target's place.
  const int write_code = pending.TakeIoError();
  if (write_code != 0) {
    writer.Abandon();
    return write_code;
  }
  writer.CloseTextFile();
  return pending.TakeIoError();
}

}  // namespace obt
