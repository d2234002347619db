// The words of the design language, besides the devices and modes of the catalogue: the parsers
// compare against them, and the editor colours them.
#pragma once

#include <array>
#include <string_view>

namespace kem {

inline constexpr std::string_view kChipKeyword = "CHIP";
inline constexpr std::string_view kNcKeyword = "NC";  // an unconnected pin in the pin list
inline constexpr std::string_view kUserIdKeyword = "USER_ID";
// The directives behind "#".
inline constexpr std::string_view kNoMinKeyword = "NOMIN";
inline constexpr std::string_view kEndNoMinKeyword = "ENDNOMIN";
// The tristate equation behind ".".
inline constexpr std::string_view kTrstKeyword = "TRST";

inline constexpr std::array<std::string_view, 6> kWordKeywords = {
    kChipKeyword, kNcKeyword, kUserIdKeyword, kNoMinKeyword, kEndNoMinKeyword, kTrstKeyword,
};

// The words a constant assignment may give instead of 1 or 0.
struct ConstantWord {
  std::string_view word;
  bool value;
};
inline constexpr std::array<ConstantWord, 8> kConstantWords = {{
    {"TRUE", true},
    {"true", true},
    {"True", true},
    {"VCC", true},
    {"FALSE", false},
    {"false", false},
    {"False", false},
    {"GND", false},
}};

}  // namespace kem
