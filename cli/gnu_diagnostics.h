// The lines of an error file in the form compilers use on standard error, "FILE:LINE: error: TEXT",
// which editors, build tools and CI annotations read to jump to the line. The error file itself
// keeps its own form; this is only how kemc echoes it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/diagnostics.h"

namespace kem::cli {

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

// A diagnostic of a run as the entries its error-file lines make: a message of two lines is an
// error or warning and a note at its line. The entries refer to `reported`.
std::vector<ErrorFileEntry> EntriesOf(const ReportedDiagnostic& reported);

// "FILE:LINE: error: TEXT", without ":LINE" for a diagnostic that names no line.
std::string GnuDiagnosticLine(std::string_view file_name, const ErrorFileEntry& entry);

}  // namespace kem::cli
