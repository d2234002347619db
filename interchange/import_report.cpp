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

std::string Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string quoted;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) {
      quoted += c;
    } else {
      quoted += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    }
  }
  return quoted;
}

std::string ImportDiagnosticLine(std::string_view file, const ImportDiagnostic& diagnostic) {
  std::string line(file);
  if (diagnostic.line > 0) line += ":" + std::to_string(diagnostic.line);
  line += diagnostic.error ? ": error: " : ": note: ";
  return line + diagnostic.text;
}

}  // namespace kem
