// The frame's file commands: new, open, save, save as, and the question whether to save first.
#include "shell/frame.h"

#include <filesystem>

#include "common/command_ids.h"
#include "common/format.h"
#include "shell/read_back.h"
#include "shell/shell_messages.h"

namespace kem {

bool Frame::OpenFile(const std::string& file_name) {
  if (!document_.OpenFile(file_name)) return false;
  DocumentReplaced();
  return true;
}

bool Frame::AskToSave() {
  if (!modified_) return true;
  const std::string& name = document_.name();
  const BoxAnswer answer = ui_.ShowMessageBox(
      FormatText(shell_messages::kAskToSave, {name.empty() ? shell_messages::kNoName : name}),
      BoxKind::kQuestion, BoxIcon::kQuestion, BoxButtons::kYesNoCancel);
  if (answer == BoxAnswer::kYes) {
    HandleCommand(kCmdSave);
    // A save that failed or whose file dialog was cancelled stops the command that asked, so
    // closing, opening or starting anew never discards text the user wanted kept; the failure
    // itself has been shown.
    return !modified_;
  }
  return answer != BoxAnswer::kCancel;
}

void Frame::DocumentReplaced() {
  KeepFittedDesign(std::nullopt);
  document_.SetDocumentTitle(false);
  modified_ = false;
  compile_needed_ = true;
  EnableCompileCommands();
  RememberDocument();
}

void Frame::NewDocument() {
  if (!AskToSave()) return;
  document_.New();
  DocumentReplaced();
}

void Frame::Open() {
  if (!AskToSave()) return;
  if (document_.OpenDocument()) DocumentReplaced();
}

void Frame::ImportJedec() {
  if (!AskToSave()) return;
  const std::optional<std::string> chosen = ui_.AskFileName(ImportJedecDialogRequest());
  if (!chosen) return;
  const std::string file_name = std::filesystem::path(*chosen).filename().string();
  DecompileOptions options;
  options.level = minimization_level_;
  options.design_name = std::filesystem::path(*chosen).stem().string();
  const DecompiledFile result = DecompileFile(*chosen, {}, options);
  if (!result.text) {
    std::string message;
    for (const std::string& line : result.messages) message += (message.empty() ? "" : "\n") + line;
    ShowMessage(message, BoxKind::kFailure);
    return;
  }
  document_.NewFromText(*result.text, file_name);
  DocumentReplaced();
  // Nothing of it is saved yet.
  modified_ = true;
  document_.SetDocumentTitle(true);
}

void Frame::Save() {
  if (document_.SaveDocument(false)) {
    modified_ = false;
    compile_needed_ = true;
    document_.SetDocumentTitle(false);
    RememberDocument();
  }
  EnableCompileCommands();
}

void Frame::SaveAs() {
  if (!document_.SaveDocument(true)) return;
  DocumentReplaced();
}

}  // namespace kem
