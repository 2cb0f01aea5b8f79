#ifndef OBTMIRROR_RUN_STATUS_TEXTS_H_
#define OBTMIRROR_RUN_STATUS_TEXTS_H_

#include <string_view>

namespace run {

// The status lines with which a conversion run ends.
inline constexpr std::string_view kStatusSucceeded =
    "Berechnung der 3D-Daten erfolgreich beendet";
inline constexpr std::string_view kStatusFileNameError =
    "Fehler in Dateinamen aufgetreten";
inline constexpr std::string_view kStatusNotObt = "Kein gültiger OBT-File";
inline constexpr std::string_view kStatusObjectTooLarge =
    "Objekt zu groß für die Berechnung";
inline constexpr std::string_view kStatusInvalidCentre =
    "Ungültiger Spiegel-Mittelpunkt";
inline constexpr std::string_view kStatusInvalidPointNumber =
    "Dreieck mit ungültiger Punktnummer";

}  // namespace run

#endif  // OBTMIRROR_RUN_STATUS_TEXTS_H_
