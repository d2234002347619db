// What an import found in a source: errors, which make it fail, and notes, which say what it
// chose where the source leaves something open. Each names the line of the source.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace kem {

struct ImportDiagnostic {
  bool error = true;  // false: a note
  int line = 0;       // 0: the whole source
  std::string text;
};

class ImportReport {
 public:
  void Error(int line, std::string_view format, std::initializer_list<std::string_view> args = {});
  void Note(int line, std::string_view format, std::initializer_list<std::string_view> args = {});

  bool failed() const { return errors_ > 0; }
  const std::vector<ImportDiagnostic>& entries() const { return entries_; }

 private:
  std::vector<ImportDiagnostic> entries_;
  int errors_ = 0;
};

// A piece of the source as a diagnostic quotes it: bytes that are no printable ASCII as \xNN.
std::string Quoted(std::string_view text);

// "FILE:LINE: error: TEXT", the form editors and build tools jump to; without a line
// "FILE: error: TEXT".
std::string ImportDiagnosticLine(std::string_view file, const ImportDiagnostic& diagnostic);

}  // namespace kem
