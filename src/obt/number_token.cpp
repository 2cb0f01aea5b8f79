#include "obt/number_token.h"

#include <charconv>
#include <iterator>
#include <system_error>

namespace obt {
namespace {

std::optional<int32_t> ParseHexadecimal(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  // Leading zeros are not significant: "$000000001" is 1, "$00" is 0.
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return 0;
  const std::string_view significant = digits.substr(first);
  if (significant.size() > 8) return std::nullopt;
  const char* end = significant.data() + significant.size();
  uint32_t pattern = 0;
  const auto [ptr, ec] = std::from_chars(significant.data(), end, pattern, 16);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return static_cast<int32_t>(pattern);
}

std::optional<int32_t> ParseDecimal(std::string_view token) {
  const bool negative = token.front() == '-';
  std::string_view digits = token;
  if (negative || token.front() == '+') digits.remove_prefix(1);
  // Both conversions below take a minus sign but no plus sign, and would
  // read "+-5" as -5 once the plus were dropped: check the shape first.
  if (digits.empty() || !work::IsDecimalDigit(digits.front())) {
    return std::nullopt;
  }
  const char* begin = negative ? token.data() : digits.data();
  const char* end = token.data() + token.size();
  if (std::ssize(digits) <= kShortDecimalDigits) {
    const std::optional<ShortDecimal> number = ParseShortDecimal(begin, end);
    if (!number || number->end != end) return std::nullopt;
    return number->value;
  }
  int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(begin, end, value, 10);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

}  // namespace

std::optional<int32_t> ParseNumberToken(std::string_view token) {
  if (token.empty()) return std::nullopt;
  if (token.front() == '$') return ParseHexadecimal(token.substr(1));
  return ParseDecimal(token);
}

}  // namespace obt
