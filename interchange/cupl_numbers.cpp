#include "interchange/cupl_numbers.h"

#include <cctype>

namespace kem {

std::optional<CuplNumber> ReadCuplNumber(std::string_view digits, char base) {
  int bits = 0;
  switch (base) {
    case 'b':
      bits = 1;
      break;
    case 'o':
      bits = 3;
      break;
    case 'h':
      bits = 4;
      break;
    case 'd':
      break;
    default:
      return std::nullopt;
  }
  if (digits.empty()) return std::nullopt;
  CuplNumber number;
  if (bits == 0) {
    if (digits.size() > 19) return std::nullopt;
    number.value = 0;
    for (char c : digits) {
      if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
      number.value = number.value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return number;
  }
  const std::uint64_t digit_mask = (std::uint64_t{1} << bits) - 1;
  int width = 0;
  number.care = 0;
  for (char c : digits) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::uint64_t digit = 0;
    bool dont_care = false;
    if (lower == 'x') {
      dont_care = true;
    } else if (lower >= '0' && lower <= '9') {
      digit = static_cast<std::uint64_t>(lower - '0');
    } else if (lower >= 'a' && lower <= 'f') {
      digit = static_cast<std::uint64_t>(lower - 'a' + 10);
    } else {
      return std::nullopt;
    }
    if (digit > digit_mask) return std::nullopt;
    width += bits;
    if (width > 64) return std::nullopt;
    number.value = (number.value << bits) | digit;
    number.care = (number.care << bits) | (dont_care ? 0 : digit_mask);
  }
  // Digits above the ones written are zero, and they matter.
  if (width < 64) number.care |= ~std::uint64_t{0} << width;
  return number;
}

}  // namespace kem
