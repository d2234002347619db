// printf-style filling of the system's message texts. Only "%s" and "%d" occur in them; each is
// replaced by the next argument in turn, already converted to text by the caller.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace kem {

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> arguments);

}  // namespace kem
