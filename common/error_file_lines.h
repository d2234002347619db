// The line format of an error file ("Zeile 7: E19 Bezeichner unbekannt", a message's second line
// on a line of its own), read back: by the fit, which only fits what a clean compilation wrote,
// and by kemc's tests, which compare its echo on standard error with the file.
#pragma once

#include <string_view>
#include <vector>

namespace kem {

// What comes before a diagnostic's source line number, in the error file and the LOG.
inline constexpr std::string_view kLinePrefix = "Zeile ";

enum class DiagnosticKind { kError, kWarning, kNote };

struct ErrorFileEntry {
  DiagnosticKind kind = DiagnosticKind::kError;
  int line = 0;           // the source line; 0 when the diagnostic names none
  std::string_view text;  // the catalogue's text, code first (a note: its continuation line)
  std::string_view code;  // "E19"; empty for a note
};

// Splits the text of an error file into its diagnostics. A line that carries no code continues
// the diagnostic before it (a message of two lines) and becomes a note at that one's line; a code
// the catalogue does not know counts as an error.
std::vector<ErrorFileEntry> ParseErrorFile(std::string_view text);

// Whether the error file holds a line that is not a warning: the compilation that wrote it
// reported errors. A line that names no known warning counts as an error.
bool ErrorFileReportsErrors(std::string_view text);

// The code a diagnostic's text starts with: a capital letter and two digits before a blank, as
// "E19 " or "W01 "; empty when it starts with none.
std::string_view DiagnosticCode(std::string_view text);

}  // namespace kem
