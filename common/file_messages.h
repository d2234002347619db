// Texts about files that every writer of the system shows the same way.
#pragma once

#include <string_view>

namespace kem::file_messages {

inline constexpr std::string_view kCannotSave = "Kann %s nicht speichern";

}  // namespace kem::file_messages
