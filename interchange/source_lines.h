// A source split into lines as the design files are read: "\n" ends a line and a "\r" directly
// before it is dropped, so Windows and Unix files read alike.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kem {

std::vector<std::string> SourceLines(std::string_view text);

// Without leading and trailing blanks and tabs.
std::string_view Trimmed(std::string_view text);

}  // namespace kem
