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

// The value of a centre text after filtering: empty gives 0; an optional
// sign, then digits. A conversion that meets a second sign, or a text that
// ends right after the sign, stops there and gives the magnitude read so far
// without its sign ("-12-" gives 12, "--5" gives 0). Nothing when the value
// does not fit a signed 32-bit integer.
std::optional<int32_t> CentreTextValue(std::string_view text);

// Sets the centre from the three texts as shown in the window. False, with
// the centre unchanged, when one of them is out of range.
bool ReadMirrorCentre(std::string_view x_text, std::string_view y_text,
                      std::string_view z_text, MirrorCentre& centre);

}  // namespace mirror

#endif  // OBTMIRROR_MIRROR_MIRROR_CENTRE_H_
