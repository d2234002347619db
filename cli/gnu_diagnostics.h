// The lines of an error file in the form compilers use on standard error, "FILE:LINE: error: TEXT",
// which editors, build tools and CI annotations read to jump to the line. The error file itself
// keeps its own form; this is only how kemc echoes it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/diagnostics.h"
#include "common/error_file_lines.h"

namespace kem::cli {

// A diagnostic of a run as the entries its error-file lines make: a message of two lines is an
// error or warning and a note at its line. The entries refer to `reported`.
std::vector<ErrorFileEntry> EntriesOf(const ReportedDiagnostic& reported);

// "FILE:LINE: error: TEXT", without ":LINE" for a diagnostic that names no line.
std::string GnuDiagnosticLine(std::string_view file_name, const ErrorFileEntry& entry);

}  // namespace kem::cli
