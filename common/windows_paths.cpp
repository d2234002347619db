#include "common/windows_paths.h"

#ifdef _WIN32

#include <windows.h>

#include <climits>

namespace kem {

std::wstring WidePath(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX) return {};
  const int size = static_cast<int>(utf8.size());
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
  return wide;
}

std::string Utf8FromWide(std::wstring_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) return {};
  const int size = static_cast<int>(wide.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

bool WidePathInto(const char* utf8, wchar_t* out, std::size_t capacity) {
  if (capacity > INT_MAX) capacity = INT_MAX;
  return MultiByteToWideChar(CP_UTF8, 0, utf8, -1, out, static_cast<int>(capacity)) > 0;
}

}  // namespace kem

#endif
