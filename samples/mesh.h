#ifndef OBTMIRROR_SAMPLES_MESH_H_
#define OBTMIRROR_SAMPLES_MESH_H_

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace obtgen {

using Point = std::array<int32_t, 3>;
using Direction = std::array<double, 3>;

struct Triangle {
  std::array<int32_t, 3> corners;
  uint8_t fourth_value;
};

// A triangle mesh built up face by face. Points at the same place are one
// point, so neighbouring faces share their edges.
class Mesh {
 public:
  // The point number of a point at `at`, added if it is new.
  int32_t AddPoint(const Point& at);

  // Adds the triangle with its corners turned counter-clockwise as seen from
  // the side that `outside` points to. A triangle without area is left out.
  void AddTriangle(int32_t a, int32_t b, int32_t c, const Direction& outside,
                   uint8_t fourth_value);
  // Two triangles over the quad a, b, c, d (corners in order around it).
  void AddQuad(int32_t a, int32_t b, int32_t c, int32_t d,
               const Direction& outside, uint8_t fourth_value);

  const std::vector<Point>& points() const { return points_; }
  const std::vector<Triangle>& triangles() const { return triangles_; }

  // Writes the mesh as a version 2 OBT file; false when that failed.
  bool WriteObt(const std::string& path) const;

 private:
  std::vector<Point> points_;
  std::map<Point, int32_t> numbers_;
  std::vector<Triangle> triangles_;
};

}  // namespace obtgen

#endif  // OBTMIRROR_SAMPLES_MESH_H_
