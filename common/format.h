// Building the system's message texts: printf-style filling at run time, and joining fixed pieces
// at compile time.
#pragma once

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace kem {

// Only "%s" and "%d" occur in the formats; each is replaced by the next argument in turn, already
// converted to text by the caller.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments);

// The pieces one after the other, zero-terminated: a text that shares pieces with others and is
// still one C string, built before the program runs.
template <const std::string_view&... kParts>
inline constexpr auto kJoinedText = [] {
  std::array<char, (kParts.size() + ... + 0) + 1> text{};
  std::size_t at = 0;
  for (const std::string_view part : {kParts...}) {
    for (const char c : part) text[at++] = c;
  }
  return text;
}();

// The text with its ASCII letters in capitals.
std::string Upper(std::string_view text);

// Whether the character is white space: blank, tab, line end, vertical tab or form feed, in every
// locale (the IDE runs in the user's, where a byte of a Latin-1 text may count as space).
bool IsWhiteSpace(char c);

// Whether the texts are the same but for the letter case of their ASCII letters.
bool SameLetters(std::string_view a, std::string_view b);

}  // namespace kem
