#include "picture/mark_shapes.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "picture/palette.h"
#include "picture/triangle_coverage.h"

namespace picture {
namespace {

// A stretch of a row, [low, high] in pixel units; empty when low > high.
struct Span {
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();

  bool empty() const { return low > high; }
  void Join(const Span& other) {
    if (other.empty()) return;
    low = std::min(low, other.low);
    high = std::max(high, other.high);
  }
};

// Where `slope` * x + `offset` lies within [from, to] along a row.
Span Between(double slope, double offset, double from, double to) {
  if (slope == 0) {
    return offset >= from && offset <= to
               ? Span{-std::numeric_limits<double>::infinity(),
                      std::numeric_limits<double>::infinity()}
               : Span{};
  }
  double low = (from - offset) / slope;
  double high = (to - offset) / slope;
  if (low > high) std::swap(low, high);
  return {low, high};
}

Span Intersect(const Span& a, const Span& b) {
  return {std::max(a.low, b.low), std::min(a.high, b.high)};
}

// The row at height `y` through a disc.
Span DiscRow(double cx, double cy, double radius, double y) {
  const double dy = y - cy;
  if (std::abs(dy) > radius) return {};
  const double half = std::sqrt(radius * radius - dy * dy);
  return {cx - half, cx + half};
}

}  // namespace

void FillStroke(RgbImage& image, ScreenPoint from, ScreenPoint to, float radius,
                Rgb colour, float dash) {
  const double ax = from.x, ay = from.y, bx = to.x, by = to.y;
  const double r = radius;
  const double length = std::hypot(bx - ax, by - ay);
  const double ux = length > 0 ? (bx - ax) / length : 1;
  const double uy = length > 0 ? (by - ay) / length : 0;
  const auto y_from =
      static_cast<int64_t>(std::max(std::floor(std::min(ay, by) - r), 0.0));
  const auto y_to =
      static_cast<int64_t>(std::min(std::ceil(std::max(ay, by) + r),
                                    static_cast<double>(image.height() - 1)));
  for (int64_t y = y_from; y <= y_to; ++y) {
    const double yc = static_cast<double>(y) + 0.5;
    // The capsule is convex: its row is the hull of the rows of its two
    // end discs and of the band between them.
    Span row = DiscRow(ax, ay, r, yc);
    row.Join(DiscRow(bx, by, r, yc));
    if (length > 0) {
      // Across: -uy (x - ax) + ux (yc - ay); along: ux (x - ax) + uy (yc - ay).
      const Span across = Between(-uy, uy * ax + ux * (yc - ay), -r, r);
      const Span along = Between(ux, -ux * ax + uy * (yc - ay), 0, length);
      row.Join(Intersect(across, along));
    }
    if (row.empty()) continue;
    const auto x_from =
        static_cast<int64_t>(std::max(std::ceil(row.low - 0.5), 0.0));
    const auto x_to = static_cast<int64_t>(std::min(
        std::floor(row.high - 0.5), static_cast<double>(image.width() - 1)));
    for (int64_t x = x_from; x <= x_to; ++x) {
      if (dash > 0) {
        const double at =
            ux * (static_cast<double>(x) + 0.5 - ax) + uy * (yc - ay);
        if (std::fmod(std::max(at, 0.0), 2.0 * dash) >= dash) continue;
      }
      image.Set(static_cast<int32_t>(x), static_cast<int32_t>(y), colour);
    }
  }
}

void FillDot(RgbImage& image, ScreenPoint at, float radius, Rgb colour) {
  FillStroke(image, at, at, radius + 1, kInk);
  FillStroke(image, at, at, radius, colour);
}

void HatchTriangle(RgbImage& image, ScreenPoint a, ScreenPoint b, ScreenPoint c,
                   float outline_radius, Rgb colour) {
  const int32_t period = std::max(3, static_cast<int32_t>(outline_radius * 6));
  const int32_t stripe = std::max(1, period / 3);
  ForEachCoveredPixel(
      image.width(), image.height(), a, b, c, 0,
      [&image, colour, period, stripe](int32_t x, int32_t y, float) {
        if ((x + y) % period < stripe) image.Set(x, y, colour);
      });
  FillStroke(image, a, b, outline_radius, colour);
  FillStroke(image, b, c, outline_radius, colour);
  FillStroke(image, c, a, outline_radius, colour);
}

}  // namespace picture
