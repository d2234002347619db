// The texts of reading chips back: comparisons of fuse maps, designs decompiled from them, the
// PAL fuse maps.
#pragma once

#include <string_view>

namespace kem::interchange_messages {

inline constexpr std::string_view kNoGalLayout = "keine GAL-Belegung mit %s Sicherungen";
inline constexpr std::string_view kNoGalLayoutWithPins =
    "keine GAL-Belegung mit %s Sicherungen und %s Pins";
inline constexpr std::string_view kEquivalent = "gleichwertig";

// Pin kinds.
inline constexpr std::string_view kKindNotDriven = "Eingang oder unbenutzt";
inline constexpr std::string_view kKindCombinational = "kombinatorischer Ausgang";
inline constexpr std::string_view kKindRegistered = "Registerausgang";
inline constexpr std::string_view kKindBus = "Tristate-Ausgang";

// What differs.
inline constexpr std::string_view kPinLabel = "Pin %s";
inline constexpr std::string_view kPinLabelNamed = "Pin %s (%s)";
inline constexpr std::string_view kLevel = "Pegel";
inline constexpr std::string_view kNextState = "Folgezustand";
inline constexpr std::string_view kEnable = "Ausgangsfreigabe";
inline constexpr std::string_view kReset = "AR";
inline constexpr std::string_view kPreset = "SP";
inline constexpr std::string_view kKindDiffers = "%s: %s in %s, %s in %s";
inline constexpr std::string_view kValueDiffers =
    "%s: %s verschieden bei %s: %s gibt %s%s, %s gibt %s%s";
inline constexpr std::string_view kNoInputs = "jeder Eingangsbelegung";
inline constexpr std::string_view kRows = " (Zeilen %s)";

// Decompiled designs.
inline constexpr std::string_view kReadBackFrom = "Aus %s zurückgelesen (%s).";
inline constexpr std::string_view kSecurityFuse = "Die Datei setzt die Sicherheitssicherung.";
inline constexpr std::string_view kVectors = "Die Datei enthält %s Testvektoren.";
inline constexpr std::string_view kUserIdBytes = "Benutzerkennung (nicht druckbar): %s";
inline constexpr std::string_view kCellNote = "Zelle: %s";
inline constexpr std::string_view kEnableNotWritable =
    "%s: eine Ausgangsfreigabe durch Produktterm lässt sich im %s nicht schreiben";
inline constexpr std::string_view kTooManySignals =
    "%s liest %s Signale; eine Gleichung darf höchstens %s lesen";

// PAL fuse maps.
inline constexpr std::string_view kUnknownPal = "unbekannter PAL-Typ %s (bekannt: %s)";
inline constexpr std::string_view kPalFuseCount = "%s Sicherungen, ein %s hat %s";

}  // namespace kem::interchange_messages
