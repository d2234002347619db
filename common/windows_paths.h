// File names on Windows. The program keeps every name as UTF-8, as it keeps every text; the
// system's file functions take UTF-16, so each name is turned into that form at the call.
#pragma once

#ifdef _WIN32

#include <cstddef>
#include <string>
#include <string_view>

namespace kem {

std::wstring WidePath(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The same without allocating, for the console's interrupt thread: false when `utf8` does not
// fit into `capacity` wide characters with its terminating zero.
bool WidePathInto(const char* utf8, wchar_t* out, std::size_t capacity);

}  // namespace kem

#endif
