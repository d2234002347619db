#include "cli/gnu_diagnostics.h"

#include <algorithm>

#include "common/diagnostics.h"

namespace kem::cli {

std::vector<ErrorFileEntry> EntriesOf(const ReportedDiagnostic& reported) {
  std::vector<ErrorFileEntry> entries;
  std::string_view text = reported.text;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    ErrorFileEntry entry;
    entry.line = reported.line.value_or(0);
    entry.text = text.substr(0, end);
    if (entries.empty()) {
      entry.kind = reported.severity() == Severity::kWarning ? DiagnosticKind::kWarning
                                                             : DiagnosticKind::kError;
      entry.code = DiagnosticCode(entry.text);
    } else {
      entry.kind = DiagnosticKind::kNote;
    }
    entries.push_back(entry);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return entries;
}

std::string GnuDiagnosticLine(std::string_view file_name, const ErrorFileEntry& entry) {
  std::string text(file_name);
  if (entry.line > 0) text += ':' + std::to_string(entry.line);
  switch (entry.kind) {
    case DiagnosticKind::kError:
      text += ": error: ";
      break;
    case DiagnosticKind::kWarning:
      text += ": warning: ";
      break;
    case DiagnosticKind::kNote:
      text += ": note: ";
      break;
  }
  text += entry.text;
  return text;
}

}  // namespace kem::cli
