#ifndef OBTMIRROR_CLI_MESH_OPTIONS_H_
#define OBTMIRROR_CLI_MESH_OPTIONS_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace cli {

// The texts of the import and export options. Each gives nothing for a text
// that is not wholly what it asks for.

// "--scale S": a positive, finite decimal such as 2, 0.001 or 1e-3.
std::optional<double> ParseScale(std::string_view text);

// "--fit N": a whole number of units from 1 to 4294967295, the widest
// extent that 32-bit coordinates can span.
std::optional<double> ParseExtent(std::string_view text);

// "--offset X,Y,Z": three 32-bit integers separated by commas.
std::optional<std::array<int64_t, 3>> ParseOffset(std::string_view text);

// "--memory-limit SIZE": a whole number of bytes, or of KiB, MiB, GiB or
// TiB with the suffix K, M, G or T (and an optional "iB" or "B"), at least
// 64 MiB: "4G", "512MiB", "1073741824".
std::optional<uint64_t> ParseMemorySize(std::string_view text);

// "--time-limit SECONDS": a whole number of seconds from 1 to 86400.
std::optional<uint64_t> ParseSeconds(std::string_view text);

// "--fourth N|material": a FourthValue 0..255, or nothing inside the
// optional for "material".
struct FourthChoice {
  std::optional<uint8_t> value;
};
std::optional<FourthChoice> ParseFourth(std::string_view text);

}  // namespace cli

#endif  // OBTMIRROR_CLI_MESH_OPTIONS_H_
