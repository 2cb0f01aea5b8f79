#ifndef OBTMIRROR_UI_PAGE_TEXTS_H_
#define OBTMIRROR_UI_PAGE_TEXTS_H_

namespace ui {

// The captions and hints of the buttons that each page repeats.
inline constexpr char kComputeCaption[] = "Berechnen";
inline constexpr char kComputeHint[] = "Neue 3D - Daten berechnen";
inline constexpr char kQuitCaption[] = "Beenden";
inline constexpr char kQuitHint[] = "Programm beenden";
inline constexpr char kHelpCaption[] = "?";
inline constexpr char kHelpHint[] = "Hilfe";

}  // namespace ui

#endif  // OBTMIRROR_UI_PAGE_TEXTS_H_
