// The cut at the mirror planes on arbitrary objects, of any coordinates a
// file may hold:
//   byte 0      for each axis two bits: 0 no cut, 1 keep >= 0, 2 keep <= 0
//   byte 1      bit 0: whole 32-bit coordinates, else small ones
//   then        the point count (a byte), the points (three coordinates of
//               four or one bytes), and triangles of three bytes, each a
//               point number taken modulo the count, up to the end
//
// Checked: nothing is left beyond a plane, every new point lies in a plane,
// the six orders of the planes give the same object, and every triangle
// names a point of the object.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "geometry/plane_cut.h"

using fuzzing::Fail;
using fuzzing::InputReader;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  InputReader input{data, size};
  geometry::CutPlanes planes;
  const uint8_t keep = input.Byte();
  for (std::size_t axis = 0; axis < 3; ++axis) {
    const int code = keep >> (2 * axis) & 3;
    planes.keep[axis] = code == 1 ? 1 : code == 2 ? -1 : 0;
  }
  const bool whole = (input.Byte() & 1) != 0;
  const mirror::MirrorCentre centre{input.Coordinate(whole) / 2,
                                    input.Coordinate(whole) / 2,
                                    input.Coordinate(whole) / 2};
  const obt::ObtObject object = fuzzing::ReadObject(input, whole);

  obt::ObtObject cut = object;
  const geometry::CutCounts counts = geometry::CutAtPlanes(cut, centre, planes);
  if (counts.bad_triangle >= 0) Fail("a good triangle taken for a bad one");
  const std::size_t first_new =
      cut.points.size() - static_cast<std::size_t>(counts.points_added);
  for (std::size_t i = 0; i < cut.points.size(); ++i) {
    const geometry::Vector3 d = geometry::RelativeTo(cut.points[i], centre);
    bool in_plane = false;
    for (std::size_t axis = 0; axis < 3; ++axis) {
      if (planes.keep[axis] * d[axis] < 0) Fail("a point beyond a plane");
      in_plane |= planes.keep[axis] != 0 && d[axis] == 0;
    }
    if (i >= first_new && !in_plane) Fail("a new point off the planes");
  }
  for (const work::TableEntry& t : cut.triangles) {
    for (const int32_t corner : t) {
      if (corner < 0 || static_cast<std::size_t>(corner) >= cut.points.size()) {
        Fail("a triangle naming a point the cut object lacks");
      }
    }
  }
  std::array<int, 3> order = {0, 1, 2};
  while (std::next_permutation(order.begin(), order.end())) {
    obt::ObtObject again = object;
    geometry::CutPlanes reordered = planes;
    reordered.order = order;
    geometry::CutAtPlanes(again, centre, reordered);
    if (again.points != cut.points || again.triangles != cut.triangles) {
      Fail("the order of the planes changed the cut");
    }
  }
  return 0;
}
