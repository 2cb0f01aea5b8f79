#include "mesh.h"

#include <utility>

#include "obt_lines.h"

namespace obtgen {
namespace {

Direction Between(const Point& from, const Point& to) {
  Direction d;
  for (int axis = 0; axis < 3; ++axis) {
    d[axis] = static_cast<double>(to[axis]) - static_cast<double>(from[axis]);
  }
  return d;
}

Direction Cross(const Direction& u, const Direction& v) {
  return {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
          u[0] * v[1] - u[1] * v[0]};
}

double Dot(const Direction& u, const Direction& v) {
  return u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
}

}  // namespace

int32_t Mesh::AddPoint(const Point& at) {
  const auto [it, added] =
      numbers_.try_emplace(at, static_cast<int32_t>(points_.size()));
  if (added) points_.push_back(at);
  return it->second;
}

void Mesh::AddTriangle(int32_t a, int32_t b, int32_t c,
                       const Direction& outside, uint8_t fourth_value) {
  const Point& pa = points_[a];
  const Direction normal =
      Cross(Between(pa, points_[b]), Between(pa, points_[c]));
  if (normal == Direction{0, 0, 0}) return;
  // The right-hand normal of a, b, c points to the side from which the
  // corners run counter-clockwise.
  if (Dot(normal, outside) < 0) std::swap(a, b);
  triangles_.push_back({{a, b, c}, fourth_value});
}

void Mesh::AddQuad(int32_t a, int32_t b, int32_t c, int32_t d,
                   const Direction& outside, uint8_t fourth_value) {
  AddTriangle(a, b, c, outside, fourth_value);
  AddTriangle(a, c, d, outside, fourth_value);
}

bool Mesh::WriteObt(const std::string& path) const {
  ObtLines out(path);
  out.WriteHeader();
  out.WriteNumbers({static_cast<int64_t>(points_.size())});
  for (const Point& p : points_) out.WriteNumbers({p[0], p[1], p[2]});
  out.WriteNumbers({static_cast<int64_t>(triangles_.size())});
  for (const Triangle& t : triangles_) {
    out.WriteNumbers(
        {t.corners[0], t.corners[1], t.corners[2], t.fourth_value});
  }
  out.WriteEnd();
  return out.Close();
}

}  // namespace obtgen
