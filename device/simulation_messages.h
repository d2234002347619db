// The simulator's own texts: faults of a vector file, mismatches, the JEDEC files it reads and the
// lines of its report.
#pragma once

#include <string_view>

namespace kem::simulation_messages {

// Vector files; each goes with the line it concerns.
inline constexpr std::string_view kNoOrder = "ORDER: fehlt vor dem ersten Vektor";
inline constexpr std::string_view kSecondOrder = "ORDER: darf nur einmal stehen";
inline constexpr std::string_view kEmptyOrder = "ORDER: nennt keinen Pin";
inline constexpr std::string_view kUnknownName = "%s ist kein Pin des Designs";
inline constexpr std::string_view kFixedPin = "%s ist ein Pin mit fester Funktion";
inline constexpr std::string_view kUnusedPin = "%s wird vom Design nicht benutzt";
inline constexpr std::string_view kDuplicateName = "%s steht zweimal in ORDER:";
inline constexpr std::string_view kUnknownValue = "unbekannter Wert %s (erlaubt: 0 1 C H L Z X)";
inline constexpr std::string_view kTooFewValues = "zu wenige Werte: %d statt %d";
inline constexpr std::string_view kTooManyValues = "zu viele Werte: %d statt %d";
inline constexpr std::string_view kNotAnInput = "%s: %s passt nicht, der Pin ist kein Eingang";
inline constexpr std::string_view kNotAnOutput = "%s: %s passt nicht, der Pin ist kein Ausgang";
inline constexpr std::string_view kClockOnly = "%s: C nur am Takteingang (Pin %d)";
inline constexpr std::string_view kNoVectors = "keine Vektoren";
inline constexpr std::string_view kOpenComment = "Kommentar nicht abgeschlossen";

// Results of a vector.
inline constexpr std::string_view kMismatch = "%s: erwartet %s, gelesen %s";
inline constexpr std::string_view kConflict = "%s: von außen %s getrieben, der Baustein treibt %s";
inline constexpr std::string_view kMismatchUnknown = "%s: erwartet %s, gelesen X (%s)";
inline constexpr std::string_view kUnsettled = "Rückkopplung kommt nicht zur Ruhe: %s";
inline constexpr std::string_view kPin = "Pin %d";
// Why a level is X.
inline constexpr std::string_view kUnknownFloating =
    "unbestimmt: Pin %d wird von niemandem getrieben";
inline constexpr std::string_view kUnknownInput = "unbestimmt: Pin %d ist von außen X";
inline constexpr std::string_view kUnknownPowerUp =
    "unbestimmt: Pin %d hat seit dem Einschalten keinen festen Zustand";
inline constexpr std::string_view kUnknownConflict =
    "unbestimmt: Pin %d wird von beiden Seiten getrieben";
inline constexpr std::string_view kUnknownUnsettled = "unbestimmt: Pin %d kommt nicht zur Ruhe";

// Files and summary.
inline constexpr std::string_view kNoVectorFile = "Vektordatei %s existiert nicht";
inline constexpr std::string_view kVectorFileNotAFile = "Vektordatei %s ist keine reguläre Datei";
inline constexpr std::string_view kNoJedecFile = "JEDEC-Datei %s existiert nicht";
inline constexpr std::string_view kJedecFileNotAFile = "JEDEC-Datei %s ist keine reguläre Datei";
inline constexpr std::string_view kJedecFileUnreadable = "JEDEC-Datei %s kann nicht gelesen werden";
inline constexpr std::string_view kBadJedecFile = "JEDEC-Datei %s ist fehlerhaft: %s";
inline constexpr std::string_view kNoFrame = "kein STX-ETX-Rahmen";
inline constexpr std::string_view kNoTransmissionChecksum = "keine Übertragungsprüfsumme nach ETX";
inline constexpr std::string_view kNoFirstField = "erstes Feld ohne *";
inline constexpr std::string_view kTrailingText = "Text nach dem letzten Feld";
inline constexpr std::string_view kBadField = "fehlerhaftes Feld %s";
inline constexpr std::string_view kNoFuseCount = "QF fehlt: die Zahl der Fuses ist nicht angegeben";
inline constexpr std::string_view kFuseMissing = "Fuse %d steht in keinem Feld";
inline constexpr std::string_view kUnknownDevice = "kein bekannter Baustein";
inline constexpr std::string_view kDeviceContradiction =
    "Kopf nennt %s, QF und QP passen aber zu %s";
inline constexpr std::string_view kFuseCount = "%d Fuses statt %d";
inline constexpr std::string_view kNoMode = "SYN und AC0 beide 0, kein Modus";
inline constexpr std::string_view kComplexAc1 =
    "AC1 0 im Complex-Modus an Pin %d, dessen Ausgang freigegeben werden kann";
inline constexpr std::string_view kUnusedCell =
    "Zelle von Pin %d unbenutzt (AC1 0 im Complex-Modus)";
inline constexpr std::string_view kBadFuseChecksum = "Fuse-Prüfsumme %s, berechnet %s";
inline constexpr std::string_view kBadTransmissionChecksum =
    "Übertragungsprüfsumme %s, berechnet %s";
inline constexpr std::string_view kOutOfMemory = "Nicht genügend Speicher für die Simulation";
inline constexpr std::string_view kDeviceHeading = "Baustein: %s";
inline constexpr std::string_view kLinePrefix = "Zeile %d: %s";
inline constexpr std::string_view kTableLine = "Zeile";
inline constexpr std::string_view kPassed = "Simulation fehlerfrei: %s";
inline constexpr std::string_view kFailed = "Simulation: %d von %s mit Abweichungen";
inline constexpr std::string_view kVectorCount = "%d Vektoren";
inline constexpr std::string_view kOneVector = "1 Vektor";
inline constexpr std::string_view kFileFaults = "Vektordatei %s fehlerhaft, nicht simuliert";
inline constexpr std::string_view kVectorsWritten = "%s in %s geschrieben";

}  // namespace kem::simulation_messages
