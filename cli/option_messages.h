// kemc's texts for a command line it cannot take; each ends the run with exit status 2.
#pragma once

#include <string_view>

namespace kem::option_messages {

inline constexpr std::string_view kNeedsValue = "Option %s verlangt einen Wert";
inline constexpr std::string_view kNeedsLevel = "Option %s verlangt eine Minimierungsstufe";
inline constexpr std::string_view kUnknownLevel = "unbekannte Minimierungsstufe: %s";
inline constexpr std::string_view kVectorsNeedSimulate = "--vectors verlangt --simulate";
inline constexpr std::string_view kFitAndFitOnly = "--fit und --fit-only schließen einander aus";
inline constexpr std::string_view kReadBackAlone =
    "%s lässt sich mit keiner anderen Aktion verbinden";
inline constexpr std::string_view kCompareNeedsTwo = "--compare verlangt genau zwei Dateien";
inline constexpr std::string_view kNamesNeedDecompile =
    "--names und --output gelten nur mit --decompile";
inline constexpr std::string_view kOutputNeedsOne = "--output verlangt genau eine Datei";
inline constexpr std::string_view kFromNeedsReadBack =
    "--from gilt nur mit --compare oder --decompile";
inline constexpr std::string_view kNoFile = "keine Datei angegeben";

}  // namespace kem::option_messages
