#ifndef OBTMIRROR_CLI_OCTANT_OPTION_H_
#define OBTMIRROR_CLI_OCTANT_OPTION_H_

#include <array>
#include <optional>
#include <string>

namespace cli {

// The checked states, in code order 1, 2, 4, ..., 128, for "--from CODE":
// exactly one of the eight codes. Nothing for anything else.
std::optional<std::array<bool, 8>> ParseSourceOctant(const std::string& text);

// For "--to LIST": codes separated by commas, "all" or "none". Nothing for
// an empty list, an empty item, or an item that is no octant code.
std::optional<std::array<bool, 8>> ParseTargetOctants(const std::string& text);

}  // namespace cli

#endif  // OBTMIRROR_CLI_OCTANT_OPTION_H_
