// kemc's texts about the part a JEDEC file is for.
#pragma once

#include <string_view>

namespace kem::part_messages {

inline constexpr std::string_view kUnknownPart = "unbekannter Baustein: %s (bekannt:%s)";
inline constexpr std::string_view kNeedsFit = "%s verlangt --fit oder --fit-only";
inline constexpr std::string_view kNoPowerDown =
    "%s hat keinen Power-Down-Modus; --power-down gibt es für%s";
inline constexpr std::string_view kNoPart =
    "--power-down verlangt einen Baustein mit Power-Down-Modus (--part)";
inline constexpr std::string_view kOtherFamily = "%s gehört nicht zur Familie %s des Designs";

}  // namespace kem::part_messages
