// The frame's jumps to diagnostics: from a line of the error file or the log to the source line it
// names, and the next or previous diagnostic of the last compilation from the caret.
#include <string>

#include "common/file_io.h"
#include "shell/diagnostic_lines.h"
#include "shell/frame.h"

namespace kem {

bool Frame::JumpToDiagnostic(std::string_view diagnostic) {
  const std::optional<int> line = DiagnosticLineNumber(diagnostic);
  if (!line) return false;
  SelectEditorLine(ui_.EditorText(), *line);
  return true;
}

// The error file beside the document holds every diagnostic of the last compilation, and only
// those; the log has none of them and keeps the lines of earlier compilations. So the error file
// is read, as its view does, each time: a compilation may have rewritten it meanwhile.
bool Frame::GoToDiagnostic(bool forward) {
  if (document_.name().empty()) return false;
  std::string errors;
  if (!ReadWholeFile(ViewFileName(document_.name(), kViewErrors), errors)) return false;
  const std::string text = ui_.EditorText();
  const std::vector<int> lines = DiagnosticLines(errors, CountLines(text));
  const std::optional<int> target = NextDiagnosticLine(lines, ui_.EditorCaretLine() + 1, forward);
  if (!target) return false;
  SelectEditorLine(text, *target);
  return true;
}

// The source may have changed since the compilation: the line of that number is still the best
// guess, and past the end the last line.
void Frame::SelectEditorLine(std::string_view text, int line) {
  const LineRange range = LocateLine(text, line);
  ui_.SelectInEditor(range.start, range.end);
  ui_.RefreshStatusLine();
}

}  // namespace kem
