#ifndef OBTMIRROR_FUZZ_FUZZ_SUPPORT_H_
#define OBTMIRROR_FUZZ_FUZZ_SUPPORT_H_

// What the fuzz programs share: how they stop on a broken invariant, their
// scratch files, and how they take a run's inputs from the front of the
// bytes.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "obt/obt_object.h"
#include "work/run_inputs.h"

namespace fuzzing {

[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

// A new directory in the system's temporary one, its name starting with
// `prefix`.
inline std::filesystem::path MakeScratchDir(std::string_view prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() /
                         (std::string(prefix) + "-XXXXXX"))
                            .string();
  if (mkdtemp(pattern.data()) == nullptr) Fail("mkdtemp");
  return pattern;
}

inline void WriteBytes(const std::filesystem::path& path,
                       std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) Fail("cannot write a scratch file");
}

// The input from the front; past its end, bytes are 0 and texts empty.
struct InputReader {
  const uint8_t* data;
  std::size_t size;

  uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  // A coordinate: four bytes, big-endian, for the whole 32-bit range, or
  // one for a small one.
  int32_t Coordinate(bool whole) {
    if (!whole) return static_cast<int8_t>(Byte());
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = value << 8 | Byte();
    return static_cast<int32_t>(value);
  }
  std::string Text(std::size_t length) {
    if (length > size) length = size;
    std::string text(reinterpret_cast<const char*>(data), length);
    data += length;
    size -= length;
    return text;
  }
};

// An object from the rest of the bytes: the point count (a byte, taken as
// 1 to 64), the points (three coordinates each), then triangles of three
// point numbers and a fourth value, a byte each, up to the end. A number
// is taken modulo the count plus `beyond`, so that `beyond` numbers past
// the last point name none.
inline obt::ObtObject ReadObject(InputReader& input, bool whole,
                                 int beyond = 0) {
  obt::ObtObject object;
  const int points = input.Byte() % 64 + 1;
  for (int i = 0; i < points; ++i) {
    object.points.push_back({input.Coordinate(whole), input.Coordinate(whole),
                             input.Coordinate(whole)});
  }
  const int numbers = points + beyond;
  while (input.size >= 3) {
    object.triangles.push_back({input.Byte() % numbers, input.Byte() % numbers,
                                input.Byte() % numbers});
    object.fourth_values.push_back(input.Byte());
  }
  object.point_count = points;
  object.triangle_count = static_cast<int32_t>(object.triangles.size());
  return object;
}

// Reads the front of a run's input into `inputs`, all but the source name:
//   byte 0      bits 0-2: the source octant; the others are the caller's
//   byte 1      the target mask (bit i = octant code 1 << i)
//   3 times     a length byte (taken modulo 5), then that many bytes of a
//               centre text (X, Y, Z)
// Returns byte 0.
inline uint8_t ReadRunInputs(InputReader& input, work::RunInputs& inputs) {
  const uint8_t octant_byte = input.Byte();
  const uint8_t target_mask = input.Byte();
  inputs.centre_x_text = input.Text(input.Byte() % 5);
  inputs.centre_y_text = input.Text(input.Byte() % 5);
  inputs.centre_z_text = input.Text(input.Byte() % 5);
  inputs.source_octant_checked = {};
  inputs.source_octant_checked[octant_byte & 7] = true;
  for (int i = 0; i < 8; ++i) {
    inputs.target_octant_checked[i] = (target_mask >> i & 1) != 0;
  }
  return octant_byte;
}

}  // namespace fuzzing

#endif  // OBTMIRROR_FUZZ_FUZZ_SUPPORT_H_
