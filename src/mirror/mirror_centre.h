#ifndef OBTMIRROR_MIRROR_MIRROR_CENTRE_H_
#define OBTMIRROR_MIRROR_MIRROR_CENTRE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mirror {

// The point the object is mirrored around, in the object's own units.
struct MirrorCentre {
  int32_t x = 0;
  int32_t y = 0;
  int32_t z = 0;

  bool operator==(const MirrorCentre&) const = default;
};

// Keeps the digits and the signs "+" and "-" of a centre text and drops
// everything else (blanks, letters, decimal separators).
std::string FilterNumberText(std::string_view text);

// What a centre text gives after filtering: empty gives 0; an optional
// sign, then digits. A conversion that meets a second sign, or a text that
// ends right after the sign, stops there and gives the magnitude read so far
// without its sign ("-12-" gives 12, "--5" gives 0).
struct CentreReading {
  // Nothing when the value does not fit a signed 32-bit integer.
  std::optional<int32_t> value;
  // False when the filter dropped a character or the conversion stopped
  // early: the value then says less than the text seems to ("1e9" gives
  // 19), which a front end may want to point out.
  bool taken_whole = true;

  bool operator==(const CentreReading&) const = default;
};

// Reads one centre text as the window's field shows it.
CentreReading ReadCentreText(std::string_view text);

// Sets the centre from the three texts as shown in the window. False, with
// the centre unchanged, when one of them is out of range.
bool ReadMirrorCentre(std::string_view x_text, std::string_view y_text,
                      std::string_view z_text, MirrorCentre& centre);

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_MIRROR_CENTRE_H_
