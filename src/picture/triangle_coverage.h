#ifndef OBTMIRROR_PICTURE_TRIANGLE_COVERAGE_H_
#define OBTMIRROR_PICTURE_TRIANGLE_COVERAGE_H_

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "picture/frame.h"

namespace picture {

// The pixels whose centres a triangle covers, found in fixed point with
// 1/256 pixel: an edge that two triangles share gives each pixel centre on
// it to exactly one of them, so that a closed surface shows no seam and
// no pixel twice. Calls covered(x, y, depth) for each such pixel inside a
// picture of `width` x `height`, with the depth there.
//
// A triangle whose corners turn counter-clockwise on the screen (rows
// growing down), one seen from behind, is pushed back by `behind_bias`
// and by a few rounding steps of its own slope. Along an outline a face
// seen from outside and one seen from behind share an edge and lie on the
// same side of it, both covering the centres on it at one depth within
// rounding: the outside must win there.
template <typename Covered>
void ForEachCoveredPixel(int32_t width, int32_t height, ScreenPoint a,
                         ScreenPoint b, ScreenPoint c, float behind_bias,
                         const Covered& covered) {
  constexpr int64_t kOne = 256;  // 1 << 8
  constexpr int64_t kHalf = kOne / 2;
  // Rounded to nearest as the processor rounds; picture coordinates fit.
  const auto fixed = [](float v) {
    return static_cast<int64_t>(std::lrint(v * static_cast<float>(kOne)));
  };
  int64_t ax = fixed(a.x), ay = fixed(a.y);
  int64_t bx = fixed(b.x), by = fixed(b.y);
  int64_t cx = fixed(c.x), cy = fixed(c.y);
  // The pixels whose centres (i + 1/2) lie within the triangle's box: most
  // triangles of a large object hold none. The shifts round toward minus
  // infinity.
  const int64_t x_from =
      std::max<int64_t>((std::min({ax, bx, cx}) + kHalf - 1) >> 8, 0);
  const int64_t x_to =
      std::min<int64_t>((std::max({ax, bx, cx}) - kHalf) >> 8, width - 1);
  if (x_from > x_to) return;
  const int64_t y_from =
      std::max<int64_t>((std::min({ay, by, cy}) + kHalf - 1) >> 8, 0);
  const int64_t y_to =
      std::min<int64_t>((std::max({ay, by, cy}) - kHalf) >> 8, height - 1);
  if (y_from > y_to) return;
  int64_t area = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
  if (area == 0) return;
  const bool behind = area > 0;
  if (area < 0) {
    std::swap(bx, cx);
    std::swap(by, cy);
    std::swap(b, c);
    area = -area;
  }

  // An edge p -> q: its value grows inward; a centre exactly on it belongs
  // to this triangle only on the edges that run up, or right along a row,
  // the opposite of how the neighbour across the edge runs it.
  struct Edge {
    int64_t step_x;
    int64_t step_y;
    int64_t start;  // at the first pixel centre, less 1 where a tie is out
  };
  const int64_t sx = x_from * kOne + kHalf;
  const int64_t sy = y_from * kOne + kHalf;
  const auto edge = [sx, sy](int64_t px, int64_t py, int64_t qx, int64_t qy) {
    const int64_t dx = qx - px;
    const int64_t dy = qy - py;
    const bool takes_ties = dy < 0 || (dy == 0 && dx > 0);
    return Edge{-dy * kOne, dx * kOne,
                dx * (sy - py) - dy * (sx - px) - (takes_ties ? 0 : 1)};
  };
  // Each edge's value weighs the corner across from it.
  const Edge e_bc = edge(bx, by, cx, cy);
  const Edge e_ca = edge(cx, cy, ax, ay);
  const Edge e_ab = edge(ax, ay, bx, by);
  const float per_area = 1.0f / static_cast<float>(area);
  const float db = (b.depth - a.depth) * per_area;
  const float dc = (c.depth - a.depth) * per_area;
  float start_depth = a.depth;
  if (behind) {
    const float slope = std::abs(static_cast<float>(e_ca.step_x) * db +
                                 static_cast<float>(e_ab.step_x) * dc) +
                        std::abs(static_cast<float>(e_ca.step_y) * db +
                                 static_cast<float>(e_ab.step_y) * dc);
    start_depth += behind_bias + slope / 64;
  }
  int64_t row_bc = e_bc.start, row_ca = e_ca.start, row_ab = e_ab.start;
  for (int64_t y = y_from; y <= y_to; ++y) {
    int64_t w_a = row_bc, w_b = row_ca, w_c = row_ab;
    for (int64_t x = x_from; x <= x_to; ++x) {
      if ((w_a | w_b | w_c) >= 0) {
        covered(static_cast<int32_t>(x), static_cast<int32_t>(y),
                start_depth + static_cast<float>(w_b) * db +
                    static_cast<float>(w_c) * dc);
      }
      w_a += e_bc.step_x;
      w_b += e_ca.step_x;
      w_c += e_ab.step_x;
    }
    row_bc += e_bc.step_y;
    row_ca += e_ca.step_y;
    row_ab += e_ab.step_y;
  }
}

}  // namespace picture

#endif  // OBTMIRROR_PICTURE_TRIANGLE_COVERAGE_H_
