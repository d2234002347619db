#include "cli/gnu_diagnostics.h"

#include <algorithm>
#include <charconv>

#include "common/diagnostics.h"

namespace kem::cli {

namespace {

constexpr std::string_view kLinePrefix = "Zeile ";

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

// A code is a capital letter and two digits before a blank, as "E19 " or "W01 ".
std::string_view CodeOf(std::string_view text) {
  if (text.size() < 4 || text[0] < 'A' || text[0] > 'Z' || text[3] != ' ') return {};
  for (std::size_t i = 1; i < 3; ++i) {
    if (text[i] < '0' || text[i] > '9') return {};
  }
  return text.substr(0, 3);
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
    entry.code = CodeOf(rest);
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
      entry.code = CodeOf(entry.text);
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
