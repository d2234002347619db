// The texts that the command lines of kemc and kemwin share: the pieces of their usage texts and
// the answer to an option neither knows.
#pragma once

#include <string_view>

namespace kem::command_line_messages {

// "Aufruf: PROGRAMM [OPTIONEN] ARGUMENTE"
inline constexpr std::string_view kUsageStart = "Aufruf: ";
inline constexpr std::string_view kUsageOptions = " [OPTIONEN] ";
inline constexpr std::string_view kHelpOption = "  -h, --help           diese Hilfe\n";
inline constexpr std::string_view kVersionOption = "      --version        Version\n";
inline constexpr std::string_view kUnknownOption = "unbekannte Option: %s";

}  // namespace kem::command_line_messages
