#include "cli/import_stage.h"

#include <string_view>

#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/names.h"
#include "interchange/import_messages.h"
#include "interchange/source_import.h"

namespace kem::cli {
namespace {

void PutLine(std::FILE* stream, const std::string& line) {
  std::fputs((line + "\n").c_str(), stream);
  std::fflush(stream);
}

void ErrorLine(std::FILE* err, const std::string& text) {
  PutLine(err, "kemc: error: " + text);
}

// An earlier import opens with its origin line; anything else at FILE.kem is the user's.
bool IsEarlierImport(const std::string& path) {
  std::string text;
  if (KindOfPath(path) == PathKind::kMissing) return true;
  if (!ReadWholeFile(path, text)) return false;
  const std::string_view origin = import_messages::kOrigin;
  const std::string marker = "/*\n * " + std::string(origin.substr(0, origin.find('%')));
  return text.rfind(marker, 0) == 0;
}

}  // namespace

ImportStage ImportBeforeRun(const std::string& source, std::FILE* out, std::FILE* err) {
  ImportStage stage;
  std::string text;
  if (!ReadWholeFile(source, text)) {
    ErrorLine(err, FormatText(import_messages::kCannotRead, {source}));
    stage.status = 2;
    return stage;
  }
  const ImportResult result = ImportSource(text, source);
  for (const ImportDiagnostic& diagnostic : result.report.entries())
    PutLine(err, ImportDiagnosticLine(source, diagnostic));
  if (!result.design) {
    stage.status = 1;
    return stage;
  }
  const std::string document = Stem(source) + "kem";
  if (IsSameFile(document, source)) {
    ErrorLine(err, FormatText(import_messages::kWouldOverwriteSource, {document}));
    stage.status = 2;
    return stage;
  }
  if (!IsEarlierImport(document)) {
    ErrorLine(err, FormatText(import_messages::kNotOverwritten, {document}));
    stage.status = 2;
    return stage;
  }
  if (ReplaceFileContents(document, *result.design) != ReplaceResult::kReplaced) {
    ErrorLine(err, FormatText(file_messages::kCannotSave, {document}));
    stage.status = 1;
    return stage;
  }
  PutLine(out, FormatText(import_messages::kImported, {source, document}));
  stage.document = document;
  return stage;
}

}  // namespace kem::cli
