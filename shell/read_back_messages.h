// The texts of reading chips back from files.
#pragma once

#include <string_view>

namespace kem::read_back_messages {

inline constexpr std::string_view kCannotRead = "%s kann nicht gelesen werden";
inline constexpr std::string_view kNotAFile = "%s ist keine Datei";
inline constexpr std::string_view kJedecUnusable = "%s: %s";
inline constexpr std::string_view kPalHint = " (die Belegung eines PAL? --from nennt ihn)";
inline constexpr std::string_view kDesignFailed =
    "%s lässt sich nicht fehlerfrei compilieren und fitten";
inline constexpr std::string_view kNoScratchFolder = "kein Arbeitsordner für %s";
inline constexpr std::string_view kDiagnostic = "%s:%d: %s";
inline constexpr std::string_view kNotTheSameChip =
    "%s: das Design ergibt einen anderen Baustein: %s";
inline constexpr std::string_view kNamesLine = "%s:%d: erwartet \"NUMMER NAME\"";
inline constexpr std::string_view kDesignExists =
    "%s ist schon da und wird nicht überschrieben (anderer Name mit --output)";
inline constexpr std::string_view kNotTwins = "%s und %s haben nicht dieselben Pins";

}  // namespace kem::read_back_messages
