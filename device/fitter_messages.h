// The fitter's own texts: its two log lines and its message boxes.
#pragma once

#include <string_view>

namespace kem::fitter_messages {

inline constexpr std::string_view kSucceeded = "Fitterdurchgang erfolgreich beendet";
inline constexpr std::string_view kFailed = "Es traten Fehler beim Fitten auf!";
inline constexpr std::string_view kNoIntermediateFile = "Zwischendatei %s existiert nicht";
inline constexpr std::string_view kInternalErrorAt = "Interner Fitterfehler in %s";
inline constexpr std::string_view kFitImpossible =
    "Fit-Vorgang nicht möglich. Fehler beim Compilieren";

}  // namespace kem::fitter_messages
