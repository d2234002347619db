// Numbers as CUPL writes them: digits in base 2, 8, 10 or 16, where the binary, octal and hex
// digits may be X, a digit whose bits do not matter.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kem {

struct CuplNumber {
  std::uint64_t value = 0;
  std::uint64_t care = ~std::uint64_t{0};  // a 0 bit: that bit of the value does not matter
};

// `base` is 'b', 'o', 'd' or 'h'; nothing for a digit the base does not have or more than 64 bits.
std::optional<CuplNumber> ReadCuplNumber(std::string_view digits, char base);

}  // namespace kem
