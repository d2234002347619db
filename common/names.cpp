#include "common/names.h"

#include <array>
#include <cctype>

namespace kem {

namespace {

bool IsPathSeparator(char c) {
  return c == '/' || c == '\\';
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

std::size_t ExtensionDotIndex(std::string& name) {
  const std::size_t length = name.size();
  for (std::size_t back = 1; back <= 4 && back <= length; ++back) {
    const char c = name[length - back];
    if (IsPathSeparator(c)) break;
    if (c == '.') return length - back;
  }
  name += '.';
  return length;
}

std::string Stem(std::string_view document_name) {
  std::string copy(document_name);
  const std::size_t dot = ExtensionDotIndex(copy);
  return copy.substr(0, dot + 1);
}

std::string Extension(std::string_view document_name) {
  std::string copy(document_name);
  const std::size_t dot = ExtensionDotIndex(copy);
  return copy.substr(dot + 1, 3);
}

bool IsOutputExtension(std::string_view document_name) {
  static constexpr std::array<std::string_view, 4> kOutputExtensions = {
      kListingExtension, kIntermediateExtension, kErrorFileExtension, kJedecExtension};
  const std::string extension = Extension(document_name);
  for (std::string_view output : kOutputExtensions) {
    if (EqualsIgnoringCase(extension, output)) return true;
  }
  return false;
}

}  // namespace kem
