// The numbered diagnostics of a compilation: one table of messages and one reporter that formats a
// diagnostic, keeps it as an entry of the error file and counts it by severity. The counts decide
// the outcome of a compilation: a severe diagnostic aborts it, an error makes it unclean.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kem {

enum class Severity { kWarning = 0, kError = 1, kSevere = 2 };

// The diagnostics in table order.
enum class Diag {
  E01,
  E02,
  E03,
  E04,
  E05,
  E06,
  E07,
  E08,
  W01,
  W02,
  E09,
  E10,
  E11,
  E12,
  E13,
  E14,
  E15,
  E16,
  E17,
  E18,
  E19,
  E20,
  E21,
  E22,
  E23,
  E24,
  E25,
  E26,
  E27,
  E28,
  E29,
  E30,
  E31,
  E32,
  E33,
  E34,
  E35,
  E36,
  E37,
};
inline constexpr int kDiagnosticCount = 39;

struct DiagnosticRecord {
  std::string_view format;  // the message, code first; may hold one "%s"
  Severity severity;
  bool with_line;  // whether the reporters prefix the current source line
};

const DiagnosticRecord& DiagnosticEntry(Diag id);

// One diagnostic as the error file states it.
struct ReportedDiagnostic {
  Diag id;
  std::optional<int> line;  // the source line it names, when it names one
  std::string text;         // the message with its argument, code first; E11 has two lines

  Severity severity() const { return DiagnosticEntry(id).severity; }
};

// The error file's text: one line per entry, "Zeile <line>: " before those that name one.
std::string ErrorFileText(const std::vector<ReportedDiagnostic>& entries);

struct DiagnosticCounts {
  int warnings = 0;
  int errors = 0;
  int severe = 0;
};

// Keeps and counts the diagnostics of one compilation. The error file is written from the entries
// by whoever owns it; while none is open, diagnostics are counted but not kept.
class Diagnostics {
 public:
  // A new compilation: nothing counted, nothing kept.
  void ResetDiagnosticCounts() {
    counts_ = {};
    entries_.clear();
  }
  void OpenErrorFile() { error_file_open_ = true; }
  void CloseErrorFile() { error_file_open_ = false; }

  // Formats `id` with `argument` in place of "%s", naming the line when the table says so; keeps
  // it as an entry of the error file unless a severe diagnostic has already been reported in this
  // compilation; then counts it.
  void ReportDiagnostic(Diag id, int line, std::string_view argument = {});
  // The same with the line prefix also for a diagnostic that has none in the table: for a
  // resource that one place of the source exhausts.
  void ReportAtLine(Diag id, int line);

  // An error that has no diagnostic of its own (an output file that cannot be created): it makes
  // the compilation unclean without a line in the error file.
  void CountError() { ++counts_.errors; }

  const DiagnosticCounts& counts() const { return counts_; }
  // In the order they were reported.
  const std::vector<ReportedDiagnostic>& entries() const { return entries_; }

 private:
  void Report(Diag id, bool with_line, int line, std::string_view argument);

  DiagnosticCounts counts_;
  std::vector<ReportedDiagnostic> entries_;
  bool error_file_open_ = false;
};

// The outcome of a compilation as its counters tell it.
inline int CompileAborted(const DiagnosticCounts& counts) {
  return counts.severe > 0 ? 1 : 0;
}
inline int CompileClean(const DiagnosticCounts& counts) {
  return counts.errors == 0 && counts.severe == 0 ? 1 : 0;
}

}  // namespace kem
