// obtgen: writes the sample objects and the objects that the benchmarks
// read. Every file it writes follows the writing rules of OBT files
// exactly, so the converter's output of an unmirrored sample is the sample.
//
//   obtgen vase OUT
//   obtgen box OUT
//   obtgen grid OUT --points N --triangles T
//   obtgen sphere OUT [--divisions N] [--radius R]

#include <charconv>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "grid_object.h"
#include "shapes.h"

namespace {

constexpr int kExitUsage = 64;

int Usage() {
  std::cerr << "usage: obtgen vase OUT\n"
               "       obtgen box OUT\n"
               "       obtgen grid OUT --points N --triangles T\n"
               "       obtgen sphere OUT [--divisions N] [--radius R]\n";
  return kExitUsage;
}

std::optional<int32_t> ParseCount(std::string_view text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < 0) return std::nullopt;
  return value;
}

int Finish(bool written, const std::string& path) {
  if (written) return 0;
  std::cerr << "obtgen: cannot write " << path << '\n';
  return 1;
}

int Grid(const std::string& path, int argc, char** argv) {
  std::optional<int32_t> points;
  std::optional<int32_t> triangles;
  for (int i = 0; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    const std::optional<int32_t> value = ParseCount(argv[i + 1]);
    if (!value) return Usage();
    if (option == "--points") {
      points = value;
    } else if (option == "--triangles") {
      triangles = value;
    } else {
      return Usage();
    }
  }
  if (argc % 2 != 0 || !points || !triangles) return Usage();
  if (*points == 0 && *triangles > 0) {
    std::cerr << "obtgen: triangles need at least one point\n";
    return kExitUsage;
  }
  return Finish(obtgen::WriteGridObject(path, *points, *triangles), path);
}

// The sphere octant; the defaults give a million points and two million
// triangles, far enough apart that none share a place.
int Sphere(const std::string& path, int argc, char** argv) {
  int32_t divisions = 1413;
  int32_t radius = 1000000;
  for (int i = 0; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    const std::optional<int32_t> value = ParseCount(argv[i + 1]);
    if (!value || *value == 0) return Usage();
    if (option == "--divisions") {
      divisions = *value;
    } else if (option == "--radius") {
      radius = *value;
    } else {
      return Usage();
    }
  }
  if (argc % 2 != 0) return Usage();
  return Finish(obtgen::SphereOctant(divisions, radius).WriteObt(path), path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string_view command = argv[1];
  const std::string path = argv[2];
  if (command == "grid") return Grid(path, argc - 3, argv + 3);
  if (command == "sphere") return Sphere(path, argc - 3, argv + 3);
  if (argc != 3) return Usage();
  if (command == "vase")
    return Finish(obtgen::QuarterVase().WriteObt(path), path);
  if (command == "box") return Finish(obtgen::BoxCorner().WriteObt(path), path);
  return Usage();
}
