#include "grid_object.h"

#include <algorithm>

#include "obt_lines.h"

namespace obtgen {
namespace {

constexpr int64_t kRow = 100;
constexpr int64_t kSpacing = 100;

}  // namespace

bool WriteGridObject(const std::string& path, int32_t points,
                     int32_t triangles) {
  ObtLines out(path);
  out.WriteHeader();
  out.WriteNumbers({points});
  for (int64_t i = 0; i < points; ++i) {
    out.WriteNumbers({-(i % kRow) * kSpacing, -(i / kRow % kRow) * kSpacing,
                      -(i / (kRow * kRow)) * kSpacing});
  }
  out.WriteNumbers({triangles});
  // Two triangles over each lattice square; the squares run along the rows
  // and start again once the lattice is used up. Taken modulo the point
  // count, every number stays valid however few points there are.
  const int64_t squares = std::max<int64_t>(points - kRow - 1, 1);
  for (int64_t t = 0; t < triangles; ++t) {
    const int64_t corner = t / 2 % squares;
    const int64_t a = corner % points;
    const int64_t b = (corner + 1) % points;
    const int64_t c = (corner + kRow) % points;
    const int64_t d = (corner + kRow + 1) % points;
    const int64_t fourth = t % 256;
    if (t % 2 == 0) {
      out.WriteNumbers({a, b, d, fourth});
    } else {
      out.WriteNumbers({a, d, c, fourth});
    }
  }
  out.WriteEnd();
  return out.Close();
}

}  // namespace obtgen
