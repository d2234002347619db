// The frame's import: another tool's source becomes a new design in the editor, not yet saved,
// and what the import found goes to the LOG.
#include "common/file_io.h"
#include "common/format.h"
#include "interchange/source_import.h"
#include "shell/frame.h"
#include "shell/shell_messages.h"

namespace kem {

void Frame::Import() {
  if (!AskToSave()) return;
  FileDialogRequest request;
  request.kind = FileDialogRequest::Kind::kOpen;
  request.title = shell_messages::kImportDialogTitle;
  request.filters = {{shell_messages::kImportFilter, shell_messages::kImportPattern},
                     {shell_messages::kAllFilter, shell_messages::kAllPattern}};
  request.default_extension = "pld";
  const std::optional<std::string> chosen = ui_.AskFileName(request);
  if (!chosen) return;
  std::string source;
  if (ReadRegularFile(*chosen, source) != ReadResult::kRead) {
    ui_.ShowMessageBox(FormatText(shell_messages::kCannotOpen, {*chosen}), BoxKind::kFailure,
                       BoxIcon::kNone, BoxButtons::kOk);
    return;
  }
  const ImportResult result = ImportSource(source, *chosen);
  if (!result.report.entries().empty()) EnsureLogWindow();
  for (const ImportDiagnostic& diagnostic : result.report.entries())
    log_.AppendLogLine(ImportDiagnosticLine(*chosen, diagnostic), false);
  // A source that does not translate leaves the document as it was.
  if (!result.design) return;
  document_.New();
  DocumentReplaced();
  ui_.SetEditorText(*result.design);
  EditorTextChanged();
}

}  // namespace kem
