// The texts logic synthesis writes to the log about how an output's cover fits its rows, and the
// notes that follow E35.
#pragma once

#include <string_view>

namespace kem::synthesis_messages {

// The cover of the level asked for did not fit; another level's did (design 8.39).
inline constexpr std::string_view kRescued =
    "Warnung: %s: Stufe %s ergibt %s Terme für %s Zeilen, Stufe %s passt mit %s Termen";
inline constexpr std::string_view kNotProven =
    "%s: %s Terme, Minimum nicht bewiesen (Suchgrenze erreicht)";

inline constexpr std::string_view kNeedsProven =
    "%s braucht mindestens %s Produktterme (bewiesen), %s hat %s Zeilen";
inline constexpr std::string_view kNeedsFound =
    "%s braucht %s bis %s Produktterme (Minimum nicht bewiesen), %s hat %s Zeilen";
inline constexpr std::string_view kPinPlace = "Pin %s";
inline constexpr std::string_view kNodePlace = "Knoten %s";
inline constexpr std::string_view kPinsWithRoom = "Pins mit genug Zeilen: %s";
inline constexpr std::string_view kFreePin = "%s (frei)";
inline constexpr std::string_view kLightlyUsedPin = "%s (%s, %s Terme)";
inline constexpr std::string_view kNoPinWithRoom =
    "kein freier oder schwach belegter Pin hat genug Zeilen";
inline constexpr std::string_view kComplementFits =
    "das Komplement passt mit %s Produkttermen: /%s schreiben";
inline constexpr std::string_view kComplementTooLarge =
    "das Komplement braucht %s Produktterme und passt auch nicht";

}  // namespace kem::synthesis_messages
