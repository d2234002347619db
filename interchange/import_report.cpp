#include "interchange/import_report.h"

#include "common/format.h"

namespace kem {

void ImportReport::Error(int line, std::string_view format,
                         std::initializer_list<std::string_view> args) {
  entries_.push_back({true, line, FormatText(format, args)});
  ++errors_;
}

void ImportReport::Note(int line, std::string_view format,
                        std::initializer_list<std::string_view> args) {
  entries_.push_back({false, line, FormatText(format, args)});
}

std::string ImportDiagnosticLine(std::string_view file, const ImportDiagnostic& diagnostic) {
  std::string line(file);
  if (diagnostic.line > 0) line += ":" + std::to_string(diagnostic.line);
  line += diagnostic.error ? ": error: " : ": note: ";
  return line + diagnostic.text;
}

}  // namespace kem
