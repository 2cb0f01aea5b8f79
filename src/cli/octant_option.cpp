#include "cli/octant_option.h"

#include <string_view>

#include "mirror/octant_table.h"

namespace cli {
namespace {

// The slot of an octant code in code order, written exactly as a plain
// decimal ("2", not "02" or "+2").
std::optional<std::size_t> CodeSlot(std::string_view text) {
  for (std::size_t slot = 0; slot < mirror::kOctantCodes.size(); ++slot) {
    if (text == std::to_string(mirror::kOctantCodes[slot])) return slot;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::array<bool, 8>> ParseSourceOctant(const std::string& text) {
  const std::optional<std::size_t> slot = CodeSlot(text);
  if (!slot) return std::nullopt;
  std::array<bool, 8> checked{};
  checked[*slot] = true;
  return checked;
}

std::optional<std::array<bool, 8>> ParseTargetOctants(const std::string& text) {
  std::array<bool, 8> checked{};
  if (text == "none") return checked;
  if (text == "all") {
    checked.fill(true);
    return checked;
  }
  std::string_view rest = text;
  for (;;) {
    const std::size_t comma = rest.find(',');
    const std::optional<std::size_t> slot = CodeSlot(rest.substr(0, comma));
    if (!slot) return std::nullopt;
    checked[*slot] = true;
    if (comma == std::string_view::npos) return checked;
    rest.remove_prefix(comma + 1);
  }
}

}  // namespace cli
