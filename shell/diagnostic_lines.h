// Finding the source line a diagnostic speaks of ("Zeile 7: E19 ..."), choosing the next or the
// previous diagnostic from the caret, and locating a line of the editor text, so a diagnostic can
// be jumped to from the error file or the log.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "common/command_ids.h"
#include "shell/menu_table.h"

namespace kem {

// The keys of the next and the previous diagnostic, beside the accelerator table.
inline constexpr std::array<Accelerator, 2> kDiagnosticKeys = {{
    {"F8", kCmdNextDiagnostic},
    {"Shift+F8", kCmdPreviousDiagnostic},
}};

// The line number (1-based) a diagnostic line quotes as "Zeile N:"; none for a line without one
// (a diagnostic of the whole design, a progress line of the log).
std::optional<int> DiagnosticLineNumber(std::string_view line);

// The quoted line numbers of every diagnostic in `text`, brought into 1..line_count (a source that
// got shorter since the compilation: the last line is the best guess), ascending, each once.
std::vector<int> DiagnosticLines(std::string_view text, int line_count);

// From the caret on line `caret_line` (1-based): the first diagnostic line below it, or with
// `forward` false the last one above it, going round at the end; none when there is none at all.
std::optional<int> NextDiagnosticLine(const std::vector<int>& lines, int caret_line, bool forward);

// The number of lines of a text with "\n" line ends; an empty text has one.
int CountLines(std::string_view text);

struct LineRange {
  int start = 0;  // byte offsets into the text; the line end is not part of the line
  int end = 0;
};

// The bytes of line `line` (1-based) of `text`; a number past the end gives the last line, one
// below 1 the first.
LineRange LocateLine(std::string_view text, int line);

}  // namespace kem
