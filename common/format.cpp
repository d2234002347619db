#include "common/format.h"

#include <algorithm>
#include <cctype>

namespace kem {

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments) {
  std::string text;
  text.reserve(format.size() + 16);
  auto next = arguments.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    const bool placeholder =
        format[i] == '%' && i + 1 < format.size() && (format[i + 1] == 's' || format[i + 1] == 'd');
    if (!placeholder) {
      text += format[i];
      continue;
    }
    // A format without an argument for its placeholder ignores the placeholder.
    if (next != arguments.end()) text += *next++;
    ++i;
  }
  return text;
}

std::string Upper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return upper;
}

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool SameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) ==
           std::toupper(static_cast<unsigned char>(y));
  });
}

}  // namespace kem
