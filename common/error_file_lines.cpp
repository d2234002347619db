#include "common/error_file_lines.h"

#include <algorithm>
#include <charconv>

#include "common/diagnostics.h"

namespace kem {

namespace {

// "Zeile 7: " -> 7, with the prefix removed from `text`; 0 and `text` unchanged without one.
int TakeLineNumber(std::string_view& text) {
  if (!text.starts_with(kLinePrefix)) return 0;
  const std::string_view rest = text.substr(kLinePrefix.size());
  int line = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), line);
  if (error != std::errc() || !std::string_view(end, rest.data() + rest.size()).starts_with(": "))
    return 0;
  text = std::string_view(end + 2, rest.data() + rest.size());
  return line;
}

DiagnosticKind KindOfCode(std::string_view code) {
  for (int id = 0; id < kDiagnosticCount; ++id) {
    const DiagnosticRecord& record = DiagnosticEntry(static_cast<Diag>(id));
    if (record.format.substr(0, code.size()) == code && record.format[code.size()] == ' ')
      return record.severity == Severity::kWarning ? DiagnosticKind::kWarning
                                                   : DiagnosticKind::kError;
  }
  return DiagnosticKind::kError;
}

}  // namespace

std::string_view DiagnosticCode(std::string_view text) {
  if (text.size() < 4 || text[0] < 'A' || text[0] > 'Z' || text[3] != ' ') return {};
  for (std::size_t i = 1; i < 3; ++i) {
    if (text[i] < '0' || text[i] > '9') return {};
  }
  return text.substr(0, 3);
}

std::vector<ErrorFileEntry> ParseErrorFile(std::string_view text) {
  std::vector<ErrorFileEntry> entries;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;

    ErrorFileEntry entry;
    std::string_view rest = line;
    entry.line = TakeLineNumber(rest);
    entry.code = DiagnosticCode(rest);
    if (!entry.code.empty()) {
      entry.kind = KindOfCode(entry.code);
      entry.text = rest;
    } else if (!entries.empty()) {
      entry.kind = DiagnosticKind::kNote;
      entry.line = entries.back().line;
      entry.text = line;
    } else {
      entry.text = rest;
    }
    entries.push_back(entry);
  }
  return entries;
}

bool ErrorFileReportsErrors(std::string_view text) {
  const std::vector<ErrorFileEntry> entries = ParseErrorFile(text);
  return std::any_of(entries.begin(), entries.end(), [](const ErrorFileEntry& entry) {
    return entry.kind != DiagnosticKind::kWarning;
  });
}

}  // namespace kem
