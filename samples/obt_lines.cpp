#include "obt_lines.h"

#include <charconv>

namespace obtgen {
namespace {

// Large enough that writing a benchmark object is bound by the disk, not by
// the number of write calls.
constexpr std::size_t kBufferSize = 1 << 20;

}  // namespace

ObtLines::ObtLines(const std::string& path)
    : file_(std::fopen(path.c_str(), "wb")) {
  if (file_ == nullptr) {
    failed_ = true;
    return;
  }
  std::setvbuf(file_, nullptr, _IOFBF, kBufferSize);
}

ObtLines::~ObtLines() {
  if (file_ != nullptr) std::fclose(file_);
}

void ObtLines::WriteHeader() {
  WriteText("QZ_OBT\r\n");
  WriteText("2.000000\r\n");
}

void ObtLines::WriteNumbers(std::initializer_list<int64_t> numbers) {
  char line[128];
  char* out = line;
  for (const int64_t number : numbers) {
    if (out != line) *out++ = ' ';
    out = std::to_chars(out, line + sizeof(line) - 2, number).ptr;
  }
  *out++ = '\r';
  *out++ = '\n';
  WriteText(std::string_view(line, static_cast<std::size_t>(out - line)));
}

void ObtLines::WriteText(std::string_view text) {
  if (failed_) return;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) {
    failed_ = true;
  }
}

bool ObtLines::Close() {
  if (file_ == nullptr) return false;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return closed && !failed_;
}

}  // namespace obtgen
