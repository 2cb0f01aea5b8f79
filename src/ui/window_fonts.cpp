#include "ui/window_fonts.h"

#include <QStringList>

namespace ui {
namespace {

QFont FontOf(const QStringList& families, int pixel_size, bool bold) {
  QFont font;
  font.setFamilies(families);
  font.setPixelSize(pixel_size);
  font.setBold(bold);
  return font;
}

}  // namespace

QFont WindowFont() {
  return FontOf({QStringLiteral("System"), QStringLiteral("Liberation Sans"),
                 QStringLiteral("DejaVu Sans")},
                13, true);
}

QFont TabFont() {
  return FontOf(
      {QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
       QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")},
      11, false);
}

QFont CentreLabelFont() {
  return FontOf({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                 QStringLiteral("DejaVu Sans")},
                24, true);
}

}  // namespace ui
