#ifndef OBTMIRROR_UI_WINDOW_FONTS_H_
#define OBTMIRROR_UI_WINDOW_FONTS_H_

#include <QFont>

namespace ui {

// The window's fonts by their pixel heights. Each names the font the window
// was drawn with first and then the nearest fonts found on free systems, so
// the texts keep their sizes wherever they are shown.

// The font of the window and of every control without its own: 13 pixels.
QFont WindowFont();
// The notebook's tabs: 11 pixels.
QFont TabFont();
// The labels of the mirror centre: 24 pixels, bold.
QFont CentreLabelFont();

}  // namespace ui

#endif  // OBTMIRROR_UI_WINDOW_FONTS_H_
