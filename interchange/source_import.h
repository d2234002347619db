// The import of another tool's source: the language is told from the content, the source is read
// into an imported design and written as a design in our language, whose first comment line says
// where it came from.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "interchange/import_report.h"

namespace kem {

struct ImportResult {
  std::optional<std::string> design;  // our design's text; none when an error was reported
  ImportReport report;
};

// `file_name` is the source's name as the user gave it: its last component goes into the origin
// line, its stem names the design.
ImportResult ImportSource(std::string_view text, std::string_view file_name);

}  // namespace kem
