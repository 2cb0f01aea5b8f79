#ifndef OBTMIRROR_OBT_NUMBER_TOKEN_H_
#define OBTMIRROR_OBT_NUMBER_TOKEN_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace obt {

// The longest token the integer reader takes; a longer run of non-blank
// bytes is cut after this many and its remainder is the next token.
inline constexpr std::size_t kMaxTokenLength = 32;

// Converts one integer token of an OBT file: an optional sign and decimal
// digits within the signed 32-bit range, or "$" and up to eight significant
// hexadecimal digits whose 32-bit pattern is the value. Anything else is
// malformed and gives nothing.
std::optional<int32_t> ParseNumberToken(std::string_view token);

}  // namespace obt

#endif  // OBTMIRROR_OBT_NUMBER_TOKEN_H_
