#ifndef OBTMIRROR_WORK_DIGITS_H_
#define OBTMIRROR_WORK_DIGITS_H_

namespace work {

// "0" to "9" of the single-byte texts the files and the fields hold,
// whatever the locale.
constexpr bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace work

#endif  // OBTMIRROR_WORK_DIGITS_H_
