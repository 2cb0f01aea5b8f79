#ifndef OBTMIRROR_OBT_RECORD_LINES_H_
#define OBTMIRROR_OBT_RECORD_LINES_H_

#include <cstdint>
#include <vector>

namespace obt {

// The line on which each record of a list begins, for messages that name
// it. Nearly every file holds one record a line, so only the places where
// that run breaks (an empty line, a record spread over two) are kept.
class RecordLines {
 public:
  // Records must be added in order, 0, 1, 2, ...
  void Add(int64_t record, int64_t line) {
    if (breaks_.empty() || Predicted(breaks_.back(), record) != line) {
      breaks_.push_back({record, line});
    }
  }

  // The line of a record that was added; 0 for one before the first.
  int64_t LineOf(int64_t record) const;

 private:
  struct Break {
    int64_t record;
    int64_t line;
  };

  static int64_t Predicted(const Break& from, int64_t record) {
    return from.line + (record - from.record);
  }

  std::vector<Break> breaks_;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_RECORD_LINES_H_
