#include "shell/document.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "common/command_ids.h"
#include "common/file_io.h"
#include "common/file_messages.h"
#include "common/format.h"
#include "common/names.h"
#include "shell/shell_messages.h"

namespace kem {

namespace {

constexpr std::array<std::string_view, kViewKinds> kViewExtensions = {
    kListingExtension, kErrorViewExtension, kJedecExtension, kFitExtension, {}};
constexpr std::size_t kBackupSearchLength = 11;

bool FileExists(const std::string& name) {
  return CanBeOpened(name);
}

}  // namespace

int ViewKindOfCommand(int command_id) {
  switch (command_id) {
    case kCmdViewEquations:
      return kViewEquations;
    case kCmdViewErrors:
      return kViewErrors;
    case kCmdViewJedec:
      return kViewJedec;
    case kCmdViewFit:
      return kViewFit;
    default:
      return -1;
  }
}

std::string_view ViewExtension(int kind) {
  return kViewExtensions[kind];
}

std::string ViewFileName(std::string_view document_name, int kind) {
  const std::string stem = Stem(document_name);
  std::string name = stem + std::string(ViewExtension(kind));
  if (kind == kViewErrors && !FileExists(name)) {
    std::string compiler_name = stem + std::string(kErrorFileExtension);
    if (FileExists(compiler_name)) return compiler_name;
  }
  return name;
}

std::optional<std::string> BackupName(std::string_view document_name) {
  const std::size_t length = document_name.size();
  for (std::size_t back = 1; back <= kBackupSearchLength && back <= length; ++back) {
    const char c = document_name[length - back];
    if (c == '\\' || c == '/') break;
    if (c == '.') {
      std::string backup(document_name.substr(0, length - back));
      backup += '.';
      backup += kBackupExtension;
      if (backup == document_name) break;  // a ".bak" document has no backup of its own
      return backup;
    }
  }
  return std::nullopt;
}

bool LoadTextFile(const std::string& file_name, LoadedText& loaded, std::string& message) {
  std::string bytes;
  if (std::filesystem::is_directory(file_name) || !ReadWholeFile(file_name, bytes)) {
    message = FormatText(shell_messages::kCannotOpen, {file_name});
    return false;
  }
  if (bytes.empty()) {
    message = FormatText(shell_messages::kFileEmpty, {file_name});
    return false;
  }
  bytes.resize(std::min(bytes.size(), bytes.find('\0')));
  loaded.decoded = DecodeText(bytes);
  loaded.bytes = std::move(bytes);
  return true;
}

bool WriteDocumentFile(const std::string& file_name, std::string_view bytes, std::string& message) {
  // The previous file becomes the backup only once the new text is safely written, so a failed
  // save leaves the file and the older backup as they were.
  const auto keep_backup = [&file_name] {
    if (!FileExists(file_name)) return;
    const std::optional<std::string> backup = BackupName(file_name);
    if (!backup || std::filesystem::is_directory(*backup)) return;
    std::remove(backup->c_str());
    std::rename(file_name.c_str(), backup->c_str());
  };
  switch (ReplaceFileContents(file_name, bytes, keep_backup)) {
    case ReplaceResult::kReplaced:
      return true;
    case ReplaceResult::kCannotCreate:
      message = FormatText(file_messages::kCannotSave, {file_name});
      return false;
    case ReplaceResult::kWriteFailed:
      break;
  }
  message = FormatText(shell_messages::kWriteFailed, {file_name});
  return false;
}

FileDialogRequest OpenDialogRequest() {
  FileDialogRequest request;
  request.kind = FileDialogRequest::Kind::kOpen;
  request.title = shell_messages::kOpenDialogTitle;
  request.filters = {{shell_messages::kSourceFilter, shell_messages::kSourcePattern},
                     {shell_messages::kJedecFilter, shell_messages::kJedecPattern},
                     {shell_messages::kAllFilter, shell_messages::kAllPattern}};
  request.default_extension = kSourceExtension;
  return request;
}

FileDialogRequest SaveDialogRequest(std::string_view initial_name) {
  FileDialogRequest request;
  request.kind = FileDialogRequest::Kind::kSave;
  request.title = shell_messages::kSaveDialogTitle;
  request.filters = {{shell_messages::kSaveFilter, shell_messages::kSavePattern}};
  request.default_extension = kSourceExtension;
  request.initial_name = std::string(initial_name);
  return request;
}

FileDialogRequest ImportJedecDialogRequest() {
  FileDialogRequest request;
  request.kind = FileDialogRequest::Kind::kOpen;
  request.title = shell_messages::kImportJedecDialogTitle;
  request.filters = {{shell_messages::kJedecFilter, shell_messages::kJedecPattern},
                     {shell_messages::kAllFilter, shell_messages::kAllPattern}};
  request.default_extension = kJedecExtension;
  return request;
}

std::string Document::Title(bool modified) const {
  const std::string read_back = name_.empty() && !origin_.empty()
                                    ? FormatText(shell_messages::kReadBackFrom, {origin_})
                                    : name_;
  if (modified)
    return FormatText(
        shell_messages::kTitleFormat,
        {shell_messages::kCaption, read_back + std::string(shell_messages::kModifiedMark)});
  return FormatText(
      shell_messages::kTitleFormat,
      {shell_messages::kCaption, read_back.empty() ? shell_messages::kNoName : read_back});
}

void Document::New() {
  name_.clear();
  origin_.clear();
  format_ = TextFormat{};
  saved_text_.clear();
  saved_bytes_.clear();
  ui_.SetEditorText({});
}

void Document::NewFromText(std::string_view text, std::string origin) {
  New();
  origin_ = std::move(origin);
  ui_.SetEditorText(text);
}

bool Document::OpenDocument() {
  const std::optional<std::string> chosen = ui_.AskFileName(OpenDialogRequest());
  if (!chosen) return false;
  return OpenFile(*chosen);
}

bool Document::OpenFile(const std::string& file_name) {
  LoadedText loaded;
  std::string message;
  if (!LoadTextFile(file_name, loaded, message)) {
    ShowMessage(message, BoxKind::kFailure);
    return false;
  }
  ui_.SetEditorText(loaded.decoded.text);
  name_ = file_name;
  origin_.clear();
  format_ = loaded.decoded.format;
  saved_text_ = std::move(loaded.decoded.text);
  saved_bytes_ = std::move(loaded.bytes);
  CloseViews(kAllViews);
  return true;
}

bool Document::SaveDocument(bool ask_for_name) {
  std::string file_name = name_;
  if (ask_for_name || file_name.empty()) {
    const std::optional<std::string> chosen = ui_.AskFileName(SaveDialogRequest(name_));
    if (!chosen) return false;
    file_name = *chosen;
  }
  std::string text = ui_.EditorText();
  TextFormat format = format_;
  std::string bytes = text == saved_text_ ? saved_bytes_ : EncodeText(text, format);
  std::string message;
  if (!WriteDocumentFile(file_name, bytes, message)) {
    ShowMessage(message, BoxKind::kFailure);
    return false;
  }
  name_ = std::move(file_name);
  format_ = format;
  saved_text_ = std::move(text);
  saved_bytes_ = std::move(bytes);
  CloseViews(kAllViews);
  return true;
}

void Document::OpenView(int kind, bool compile_needed, const FontDescription& font) {
  if (compile_needed && kind != kViewJedec) {
    ShowMessage(std::string(shell_messages::kCompileFirst), BoxKind::kRefusal);
    return;
  }
  const std::string file_name = ViewFileName(name_, kind);
  CloseViews(kind);
  LoadedText loaded;
  std::string message;
  if (!LoadTextFile(file_name, loaded, message)) {
    ShowMessage(message, BoxKind::kFailure);
    return;
  }
  ui_.ShowView(kind, file_name, loaded.decoded.text, font);
  views_[kind] = true;
}

void Document::ShowTextView(int kind, std::string_view caption, const std::string& text,
                            const FontDescription& font) {
  CloseViews(kind);
  ui_.ShowView(kind, caption, text, font);
  views_[kind] = true;
}

void Document::CloseViews(int selector) {
  for (int kind = 0; kind < kViewKinds; ++kind) {
    if ((selector == kind || selector == kAllViews) && views_[kind]) {
      views_[kind] = false;
      ui_.CloseView(kind);
    }
  }
}

void Document::ViewClosed(int kind) {
  if (kind >= 0 && kind < kViewKinds) views_[kind] = false;
}

void Document::ShowMessage(const std::string& text, BoxKind kind) {
  ui_.ShowMessageBox(text, kind, BoxIcon::kNone, BoxButtons::kOk);
}

}  // namespace kem
