#ifndef OBTMIRROR_UI_OCTANT_CORNERS_H_
#define OBTMIRROR_UI_OCTANT_CORNERS_H_

#include <QPoint>
#include <QSize>
#include <array>

namespace ui {

// Where the octant selectors sit in their group boxes: each centred on the
// corner of the cube picture that stands for its octant, in code order.
struct OctantCorner {
  int code;
  QPoint radio_button;
  QPoint check_box;
};

inline constexpr std::array<OctantCorner, 8> kOctantCorners{{
    {1, QPoint(10, 196), QPoint(12, 200)},
    {2, QPoint(126, 196), QPoint(128, 200)},
    {4, QPoint(184, 140), QPoint(186, 142)},
    {8, QPoint(68, 138), QPoint(70, 140)},
    {16, QPoint(10, 80), QPoint(10, 80)},
    {32, QPoint(126, 80), QPoint(128, 82)},
    {64, QPoint(186, 22), QPoint(186, 22)},
    {128, QPoint(70, 22), QPoint(70, 22)},
}};

inline constexpr QSize kRadioButtonSize(16, 21);
inline constexpr QSize kCheckBoxSize(16, 17);

}  // namespace ui

#endif  // OBTMIRROR_UI_OCTANT_CORNERS_H_
