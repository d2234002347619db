#include "common/diagnostics.h"

#include <algorithm>

#include <array>
#include <string>

#include "common/error_file_lines.h"
#include "common/format.h"

namespace kem {

namespace {

constexpr Severity W = Severity::kWarning;
constexpr Severity E = Severity::kError;
constexpr Severity S = Severity::kSevere;

// W02, E09 and E16 are never issued; they keep their places so the table stays complete.
constexpr std::array<DiagnosticRecord, kDiagnosticCount> kDiagnostics = {{
    {"E01 Speicher voll", E, false},
    {"E02 Zugewiesener Ausdruck hat maximal zulässige Variablenzahl überschritten", E, false},
    {"E03 Interner Compilerfehler", S, false},
    {"E04 Fehler beim Öffnen der Datei.", E, false},
    {"E05 Programmname fehlt oder ist nicht korrekt", S, true},
    {"E06 GAL-Typ Definition fehlt oder ist nicht korrekt", S, true},
    {"E07 CHIP-Statement nicht gefunden", S, false},
    {"E08 Name ist Schlüsselwort", E, true},
    {"W01 ; fehlt", W, true},
    {"W02 Trennzeichen ist ;", W, true},
    {"E09 Name nicht deklariert", E, true},
    {"E10 Ungültiger Modus für GAL-Typ", S, true},
    {"E11 Zu viele oder gravierende Fehler in der Deklaration\n"
     "Syntaxanalyse wird nicht fortgesetzt",
     E, false},
    {"E12 Der Pinname %s ist bereits vergeben", S, true},
    {"E13 Diese Form der Anweisung nicht bekannt", E, true},
    {"E14 Falscher Zuweisungsoperator", E, true},
    {"E15 Zuweisungsoperator nicht gefunden.", E, true},
    {"E16 Zuweisungsoperator ungültig.", E, true},
    {"E17 ) fehlt", E, true},
    {"E18 Bezeichner nicht korrekt", E, true},
    {"E19 Bezeichner unbekannt", E, true},
    {"E20 Bezeichner zu lang", E, true},
    {"E21 Fehlerhafte Pinliste", S, true},
    {"E22 Angegebener Pinname %s steht im Widerspruch zu vordefiniertem Namen", S, true},
    {"E23 Pin %s ist reserviert und darf nicht benutzt werden", E, true},
    {"E24 Pin %s wird bereits als Output verwendet", E, true},
    {"E25 Pin %s wird bereits als Input verwendet", E, true},
    {"E26 Pin %s kann nicht als Output verwendet werden", E, true},
    {"E27 Pin %s wird bereits als Output verwendet", E, true},
    {"E28 Pin %s kann nicht als Input verwendet werden", E, true},
    {"E29 Getakteter Output nur im Registered Mode zulässig", E, true},
    {"E30 Syntaktisch nicht korrektes Tristate-Statement", E, true},
    {"E31 Tristate-Bedingung nicht erlaubt", E, true},
    {"E32 Tristate-Bedingung bereits definiert", E, true},
    {"E33 Pin %s kann nicht als Rückkopplung verwendet werden, da Definition als Output fehlt", E,
     false},
    {"E34 Zu viele Terme für Tristate-Definition von Pin %s", E, false},
    {"E35 Zu viele Terme für Definition von Pin %s", E, false},
    {"E36 Negativ-Definition hier nicht erlaubt", E, true},
    {"E37 User ID Statement nicht korekt", E, true},
}};

}  // namespace

const DiagnosticRecord& DiagnosticEntry(Diag id) {
  return kDiagnostics[static_cast<int>(id)];
}

std::string ErrorFileText(const std::vector<ReportedDiagnostic>& entries) {
  std::string text;
  for (const ReportedDiagnostic& entry : entries) {
    if (entry.line) text += std::string(kLinePrefix) + std::to_string(*entry.line) + ": ";
    text += entry.text;
    text += '\n';
  }
  return text;
}

void Diagnostics::ReportDiagnostic(Diag id, int line, std::string_view argument) {
  Report(id, DiagnosticEntry(id).with_line, line, argument);
}

void Diagnostics::ReportAtLine(Diag id, int line) {
  Report(id, true, line, {});
}

void Diagnostics::Report(Diag id, bool with_line, int line, std::string_view argument) {
  const DiagnosticRecord& record = DiagnosticEntry(id);
  // Once a severe diagnostic stands in the error file, it stays the last line written.
  if (counts_.severe == 0 && error_file_open_) {
    entries_.push_back({id, with_line ? std::optional<int>(line) : std::nullopt,
                        FormatText(record.format, {argument})});
  }
  switch (record.severity) {
    case Severity::kWarning:
      ++counts_.warnings;
      break;
    case Severity::kError:
      ++counts_.errors;
      break;
    case Severity::kSevere:
      ++counts_.severe;
      break;
  }
}

}  // namespace kem
