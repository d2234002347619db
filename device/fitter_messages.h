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
// The line after a fit, so that the programmer is set up for the file it gets.
inline constexpr std::string_view kProgrammerHint =
    "Im Programmiergerät %s wählen: JEDEC-Datei mit %d Fuses (QF%d)%s";
inline constexpr std::string_view kSecured = ", Sicherungsfuse gesetzt (G1)";

}  // namespace kem::fitter_messages

// The fit report: one line per pin, then the device's totals.
namespace kem::fitter_messages {

inline constexpr std::string_view kReportHeading = "Belegung: %s";
inline constexpr std::string_view kReportColumns[] = {"Pin",   "Name",      "Art",
                                                      "Terme", "Polarität", "OE"};
inline constexpr std::string_view kKindInput = "Eingang";
inline constexpr std::string_view kKindCombinational = "kombinatorisch";
inline constexpr std::string_view kKindRegistered = "getaktet";
inline constexpr std::string_view kKindBus = "Bus";
inline constexpr std::string_view kKindFree = "frei";
inline constexpr std::string_view kKindFixed = "fest";
inline constexpr std::string_view kActiveHigh = "aktiv high";
inline constexpr std::string_view kActiveLow = "aktiv low";
inline constexpr std::string_view kEnableEquation = "Gleichung";
inline constexpr std::string_view kReportTotals =
    "Summe: %s von %s Zeilen, %s von %s Ausgängen belegt";

}  // namespace kem::fitter_messages
