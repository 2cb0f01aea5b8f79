#ifndef OBTMIRROR_OBT_OBT_OBJECT_H_
#define OBTMIRROR_OBT_OBT_OBJECT_H_

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "obt/obt_header.h"
#include "obt/record_lines.h"
#include "work/feedback.h"
#include "work/work_tables.h"

namespace obt {

// A whole OBT object in memory, read by the conversion's reading rules, for
// the commands that look at all of it (export, check) or make one (import).
// Point i is points[i]; triangle t names its corners by point number.
struct ObtObject {
  ObtHeader header;
  // The counts as the file gives them; they may be negative, or larger than
  // what the file holds.
  int32_t point_count = 0;
  int32_t triangle_count = 0;
  // The entries the file holds, up to the count. The conversion reads what
  // is missing at the end as zeros; PadWithZeros does the same.
  std::vector<work::TableEntry> points;
  std::vector<work::TableEntry> triangles;
  std::vector<uint8_t> fourth_values;

  // Where things stand in the file, for messages.
  int64_t point_count_line = 0;
  int64_t triangle_count_line = 0;
  RecordLines point_lines;
  RecordLines triangle_lines;
  // The first entry of a list that the file does not hold whole (its line
  // or some of its numbers are missing); -1 when the list is complete.
  int64_t points_missing_from = -1;
  int64_t triangles_missing_from = -1;
  // The first line that holds anything after the object (after the closing
  // line of a version 2 file); 0 when there is none.
  int64_t text_after_end_line = 0;

  bool IsVersion2() const;
  // Fills the lists up to their counts with zeros, as a run reads them.
  void PadWithZeros();
};

// How reading an object ended.
struct ObtReadOutcome {
  enum class Status {
    kRead,
    // The file cannot be opened; `error` is the errno.
    kNotOpened,
    // The header lines are not those of an OBT file.
    kNotObt,
    // A count exceeds the capacity of a run; `line` is its line.
    kTooLarge,
    // A malformed number (I/O error 106) on `line`.
    kMalformedNumber,
    // Reading the file failed after its header, with `line` the line
    // reading stood on; `error` is the I/O error code (IoErrorMessage gives
    // its text). What was read is not the whole object.
    kReadFailed,
  };

  Status status = Status::kRead;
  int error = 0;
  int64_t line = 0;
};

// Reads the object of the OBT file at `path`: the conversion's header check
// and number rules, the same capacity, one pass. Reports progress on the
// gauge (maximum 100).
ObtReadOutcome ReadObtFile(const std::string& path, ObtObject& object,
                           work::Feedback& feedback);

// ReadObtFile up to the end of the points: the triangles' part of `object`
// stays empty. For a look at where the points lie before the rest is read.
ObtReadOutcome ReadObtPoints(const std::string& path, ObtObject& object,
                             work::Feedback& feedback);

// Writes `object` as a version 2 OBT file by the conversion's writing rules,
// through a temporary file that takes the target's place only when complete.
// Returns 0 or the I/O error code of the failing create, write or close
// (IoErrorMessage gives its text); `create_error` is then the errno of a
// target that could not be created, else 0.
int WriteObtFile(const std::string& path, const ObtObject& object,
                 int& create_error);

// The lists of an object wherever they are held (an import's lie in memory
// that another process filled); triangle t has fourth_values[t].
struct ObjectLists {
  std::span<const work::TableEntry> points;
  std::span<const work::TableEntry> triangles;
  std::span<const uint8_t> fourth_values;
};

// The same for an object with `header` and `lists`; the closing line of
// version 2 follows when the header names that version.
int WriteObtFile(const std::string& path, const ObtHeader& header,
                 const ObjectLists& lists, int& create_error);

}  // namespace obt

#endif  // OBTMIRROR_OBT_OBT_OBJECT_H_
