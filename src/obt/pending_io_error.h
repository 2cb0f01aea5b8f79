#ifndef OBTMIRROR_OBT_PENDING_IO_ERROR_H_
#define OBTMIRROR_OBT_PENDING_IO_ERROR_H_

namespace obt {

// The one error code that the text layer leaves behind (0 = none). Reading
// and writing never raise by themselves: a failure only records its code,
// a later failure overwrites an earlier one, and the caller decides when to
// look: TakeIoError to query, CheckIo to turn the code into an IoError.
class PendingIoError {
 public:
  void Set(int code) { code_ = code; }
  int Peek() const { return code_; }

  int TakeIoError() {
    const int code = code_;
    code_ = 0;
    return code;
  }

  // Raises IoError when a code is pending, clearing it first.
  void CheckIo() {
    if (code_ != 0) RaisePending();
  }

 private:
  [[noreturn]] void RaisePending();

  int code_ = 0;
};

}  // namespace obt

#endif  // OBTMIRROR_OBT_PENDING_IO_ERROR_H_
