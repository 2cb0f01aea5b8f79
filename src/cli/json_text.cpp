#include "cli/json_text.h"

#include <cstdint>
#include <cstdio>

namespace cli {
namespace {

// The length of the well-formed UTF-8 sequence of two to four bytes that
// starts `bytes`, or 0.
std::size_t Utf8SequenceLength(std::string_view bytes) {
  const auto byte = [&bytes](std::size_t i) {
    return static_cast<uint8_t>(bytes[i]);
  };
  const uint8_t lead = byte(0);
  std::size_t length = 0;
  uint8_t low = 0x80;
  uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    // No overlong forms and no surrogates.
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

void AppendEscape(std::string& out, unsigned code) {
  char escape[8];
  std::snprintf(escape, sizeof escape, "\\u%04x", code);
  out += escape;
}

}  // namespace

std::string JsonString(std::string_view bytes) {
  std::string out = "\"";
  for (std::size_t i = 0; i < bytes.size();) {
    const uint8_t byte = static_cast<uint8_t>(bytes[i]);
    if (byte >= 0x80) {
      const std::size_t length = Utf8SequenceLength(bytes.substr(i));
      if (length == 0) {
        AppendEscape(out, byte);
        ++i;
      } else {
        out.append(bytes.substr(i, length));
        i += length;
      }
      continue;
    }
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += static_cast<char>(byte);
    } else if (byte < 0x20 || byte == 0x7F) {
      AppendEscape(out, byte);
    } else {
      out += static_cast<char>(byte);
    }
    ++i;
  }
  out += '"';
  return out;
}

}  // namespace cli
