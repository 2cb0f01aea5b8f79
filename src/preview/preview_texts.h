#ifndef OBTMIRROR_PREVIEW_PREVIEW_TEXTS_H_
#define OBTMIRROR_PREVIEW_PREVIEW_TEXTS_H_

#include <string_view>

namespace preview {

// Status lines while a preview is built.
inline constexpr std::string_view kStatusLoadingPoints = "Lade Punkte ...";
inline constexpr std::string_view kStatusDrawingTriangles =
    "Zeichne Dreiecke ...";

// What a front end tells the user when a load fails, whatever the cause.
inline constexpr std::string_view kLoadErrorMessage =
    "Fehler beim Laden des OBT-Files aufgetreten!";
inline constexpr std::string_view kLoadErrorCaption = "Fehler";

}  // namespace preview

#endif  // OBTMIRROR_PREVIEW_PREVIEW_TEXTS_H_
