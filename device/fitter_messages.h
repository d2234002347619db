// The fitter's own texts: its two log lines and its message box.
#pragma once

#include <string_view>

namespace kem::fitter_messages {

inline constexpr std::string_view kSucceeded = "Fitterdurchgang erfolgreich beendet";
inline constexpr std::string_view kFailed = "Es traten Fehler beim Fitten auf!";
inline constexpr std::string_view kNoIntermediateFile = "Zwischendatei %s existiert nicht";

}  // namespace kem::fitter_messages
