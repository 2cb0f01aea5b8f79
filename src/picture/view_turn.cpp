#include "picture/view_turn.h"

#include <cmath>
#include <numbers>

namespace picture {
namespace {

Direction Cross(const Direction& a, const Direction& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
          a[0] * b[1] - a[1] * b[0]};
}

Direction Unit(const Direction& d) {
  const double length = std::sqrt(Dot(d, d));
  return {d[0] / length, d[1] / length, d[2] / length};
}

}  // namespace

ViewTurn ViewOfKind(int32_t view_kind) {
  switch (view_kind) {
    case 1:
      return ViewFromAngles(0, 0);
    case 2:
      return ViewFromAngles(0, 90);
    case 3:
      return ViewFromAngles(90, 0);
    default: {
      // The wireframe's u = x - 0.707 y and v = 0.707 y + 0.7 z; the points
      // it puts in one place lie along right x up.
      const Direction right{1, -std::numbers::sqrt2 / 2, 0};
      const Direction up{0, std::numbers::sqrt2 / 2, 0.7};
      return {right, up, Unit(Cross(right, up))};
    }
  }
}

ViewTurn ViewFromAngles(double azimuth, double elevation) {
  const double a = azimuth * std::numbers::pi / 180;
  const double e = elevation * std::numbers::pi / 180;
  // Exact quarter turns keep the axis views free of rounding dust.
  const auto cos_of = [](double angle, double degrees) {
    return std::fmod(degrees, 90) == 0 ? std::round(std::cos(angle))
                                       : std::cos(angle);
  };
  const auto sin_of = [](double angle, double degrees) {
    return std::fmod(degrees, 90) == 0 ? std::round(std::sin(angle))
                                       : std::sin(angle);
  };
  const double ca = cos_of(a, azimuth);
  const double sa = sin_of(a, azimuth);
  const double ce = cos_of(e, elevation);
  const double se = sin_of(e, elevation);
  const Direction toward{sa * ce, -ca * ce, se};
  const Direction right{ca, sa, 0};
  return {right, Cross(toward, right), toward};
}

}  // namespace picture
