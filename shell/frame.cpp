#include "shell/frame.h"

#include <filesystem>
#include <fstream>
#include <optional>

#include "common/command_ids.h"
#include "common/format.h"
#include "common/names.h"
#include "compiler/driver.h"
#include "compiler/messages.h"
#include "device/fitter.h"
#include "device/fitter_messages.h"
#include "shell/help.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"

namespace kem {

namespace msg = shell_messages;

namespace {

bool Readable(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  return std::ifstream(path, std::ios::binary).is_open();
}

}  // namespace

std::string StatusLineText(int line_index) {
  return FormatText(msg::kStatusLine, {std::to_string(line_index + 1)});
}

Frame::Frame(FrameUi& ui) : ui_(ui), document_(ui), log_(&ui) {}

void Frame::StartUp(const std::string& start_directory) {
  document_.SetDocumentTitle(false);
  start_directory_ = start_directory;
  settings_path_ = (std::filesystem::path(start_directory) / kSettingsFileName).string();
  const Settings settings = ReadSettingsFile(settings_path_);
  settings_changed_ = settings.settings_changed;
  port_ = settings.port;
  minimization_level_ = settings.minimization_level;
  font_ = settings.font_read ? settings.font : ui_.SystemFontDescription();
  line_height_ = ui_.ApplyEditorFont(font_);
  for (int id : StartUpGrayedItems()) ui_.SetMenuItemEnabled(id, false);
}

void Frame::ShutDown() {
  document_.CloseViews(kAllViews);
  if (settings_changed_) WriteSettings();
}

void Frame::WriteSettings() {
  if (settings_path_.empty()) return;
  Settings settings;
  settings.port = port_;
  settings.minimization_level = minimization_level_;
  settings.font = font_;
  if (!WriteSettingsFile(settings_path_, settings))
    ui_.ShowMessageBox(msg::kSettingsNotSaved, BoxIcon::kWarning, BoxButtons::kOk);
}

void Frame::HandleCommand(int command_id) {
  switch (command_id) {
    case kCmdNew:
      NewDocument();
      break;
    case kCmdOpen:
      Open();
      break;
    case kCmdSave:
      Save();
      break;
    case kCmdSaveAs:
      SaveAs();
      break;
    case kCmdExit:
      if (AskToSave()) Destroy();
      break;
    case kCmdUndo:
    case kCmdCut:
    case kCmdCopy:
    case kCmdPaste:
    case kCmdDelete:
    case kCmdSelectAll:
      ui_.EditorCommand(command_id);
      break;
    case kCmdCompileOnly:
    case kCmdCompileAndFit:
      Compile(command_id);
      break;
    case kCmdFitOnly:
      FitOnly();
      break;
    case kCmdViewErrors:
    case kCmdViewEquations:
    case kCmdViewJedec:
    case kCmdViewFit:
      OpenView(ViewKindOfCommand(command_id));
      break;
    case kCmdFonts:
      ChooseEditorFont();
      break;
    case kCmdFind:
    case kCmdFindNext:
    case kCmdReplace:
      Search(command_id);
      break;
    case kCmdGoToLine:
      GoToLine();
      break;
    case kCmdMinimizationOption:
      ChooseMinimizationLevel();
      break;
    case kCmdHelpIndex:
      RunHelpCommand(ui_, HelpRequest::kIndex, start_directory_);
      break;
    case kCmdHelpSearch:
      RunHelpCommand(ui_, HelpRequest::kSearch, start_directory_);
      break;
    case kCmdHelpContents:
      RunHelpCommand(ui_, HelpRequest::kContents, start_directory_);
      break;
    case kCmdStartSimulation:
      StartSimulation();
      break;
    // Printing, the device programmer and its port are not part of this program.
    case kCmdPrint:
    case kCmdReadGal:
    case kCmdProgramGal:
    case kCmdVerifyGal:
    case kCmdEraseGal:
    case kCmdSecurityFuse:
    case kCmdProgrammerStatus:
    case kCmdConfigurePort:
    case kCmdAbout:
      ui_.ShowAbout();
      break;
    default:
      break;
  }
}

void Frame::EditorTextChanged() {
  ui_.RefreshStatusLine();
  modified_ = true;
  compile_needed_ = true;
  document_.SetDocumentTitle(true);
  EnableCompileCommands();
}

void Frame::EditorInput() {
  ui_.RefreshStatusLine();
}

void Frame::EditorTextLimitReached() {
  ui_.ShowMessageBox(msg::kCapacityReached, BoxIcon::kError, BoxButtons::kOk);
}

void Frame::EditMenuOpening() {
  const bool selection = !ui_.EditorSelectionEmpty();
  ui_.SetMenuItemEnabled(kCmdUndo, ui_.EditorCanUndo());
  ui_.SetMenuItemEnabled(kCmdCut, selection);
  ui_.SetMenuItemEnabled(kCmdCopy, selection);
  ui_.SetMenuItemEnabled(kCmdPaste, ui_.ClipboardHasText());
  ui_.SetMenuItemEnabled(kCmdDelete, selection);
  for (int id : {kCmdFind, kCmdFindNext, kCmdReplace})
    ui_.SetMenuItemEnabled(id, !find_dialog_open_);
}

void Frame::HandleFindRequest(const FindRequest& request) {
  // The dialogs edit the shared buffers.
  find_text_ = request.find_text.substr(0, msg::kSearchTextCapacity);
  replace_text_ = request.replace_text.substr(0, msg::kSearchTextCapacity);
  FindRequest bounded = request;
  bounded.find_text = find_text_;
  bounded.replace_text = replace_text_;
  if (request.closing) find_dialog_open_ = false;
  if (request.find_next && !FindInEditor(find_text_))
    ui_.ShowMessageBox(msg::kTextNotFound, BoxIcon::kWarning, BoxButtons::kOk);
  if (request.replace || request.replace_all) {
    if (!ReplaceOnce(bounded)) {
      ui_.ShowMessageBox(msg::kTextNotFound, BoxIcon::kWarning, BoxButtons::kOk);
    } else if (request.replace_all) {
      while (ReplaceOnce(bounded)) {
      }
    }
  }
}

bool Frame::CloseRequested() {
  if (!AskToSave()) return false;
  if (compiling_) {
    // The window goes when the compilation has ended, so nothing of it is lost.
    close_pending_ = true;
    return false;
  }
  ShutDown();
  return true;
}

void Frame::LogWindowClosed() {
  log_.CloseLogWindow();
}

void Frame::ViewClosed(int kind) {
  document_.ViewClosed(kind);
}

bool Frame::OpenFile(const std::string& file_name) {
  if (!document_.OpenFile(file_name)) return false;
  DocumentReplaced();
  return true;
}

bool Frame::AskToSave() {
  if (!modified_) return true;
  const std::string& name = document_.name();
  const BoxAnswer answer =
      ui_.ShowMessageBox(FormatText(msg::kAskToSave, {name.empty() ? msg::kNoName : name}),
                         BoxIcon::kQuestion, BoxButtons::kYesNoCancel);
  if (answer == BoxAnswer::kYes) {
    HandleCommand(kCmdSave);
    // A save that failed or whose file dialog was cancelled stops the command that asked, so
    // closing, opening or starting anew never discards text the user wanted kept; the failure
    // itself has been shown.
    return !modified_;
  }
  return answer != BoxAnswer::kCancel;
}

void Frame::Destroy() {
  if (compiling_) {
    close_pending_ = true;
    return;
  }
  ShutDown();
  ui_.DestroyMainWindow();
}

void Frame::ShowMessage(std::string_view text) {
  ui_.ShowMessageBox(text, BoxIcon::kNone, BoxButtons::kOk);
}

// "Compilieren und Fitten" is offered whenever "Nur Compilieren" is. While a compilation runs
// neither is, so only one runs at a time.
void Frame::EnableCompileCommands() {
  if (compiling_) return;
  ui_.SetMenuItemEnabled(kCmdCompileOnly, true);
  ui_.SetMenuItemEnabled(kCmdCompileAndFit, true);
}

void Frame::EnableViews() {
  for (int id : {kCmdViewErrors, kCmdViewEquations, kCmdViewJedec})
    ui_.SetMenuItemEnabled(id, true);
}

void Frame::DocumentReplaced() {
  document_.SetDocumentTitle(false);
  modified_ = false;
  compile_needed_ = true;
  EnableCompileCommands();
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

void Frame::Save() {
  if (document_.SaveDocument(false)) {
    modified_ = false;
    compile_needed_ = true;
    document_.SetDocumentTitle(false);
  }
  EnableCompileCommands();
}

void Frame::SaveAs() {
  if (!document_.SaveDocument(true)) return;
  DocumentReplaced();
}

void Frame::Compile(int command_id) {
  if (compiling_) return;
  if (!AskToSave()) return;
  if (document_.name().empty()) return;

  CompileJob job;
  job.document_name = document_.name();
  job.command_id = command_id;
  job.fit_after_compile = command_id == kCmdCompileAndFit;
  CompileOptions options;
  options.minimization_level = minimization_level_;

  EnsureLogWindow();
  compiling_ = true;
  ui_.RunCompilation(
      host_, [job, options](CompileHost& host) { return RunCompileCommand(job, host, options); },
      [this](std::unique_ptr<CompileRun> run) { CompileFinished(std::move(run)); });
  EnableViews();
}

void Frame::CompileFinished(std::unique_ptr<CompileRun> run) {
  compiling_ = false;
  ui_.SetWaitCursor(false);
  // A refused compilation changes no menu item and leaves the last result as it was.
  if (run) {
    last_run_ = std::move(run);
    ui_.SetMenuItemEnabled(kCmdFitOnly, true);
    ui_.SetMenuItemEnabled(kCmdStartSimulation, true);
  }
  if (close_pending_) {
    close_pending_ = false;
    Destroy();
  }
}

bool Frame::CompiledDesignAvailable() {
  if (compiling_ || !AskToSave() || document_.name().empty()) return false;
  if (compile_needed_) {
    ShowMessage(msg::kCompileFirst);
    return false;
  }
  return true;
}

void Frame::FitOnly() {
  if (!CompiledDesignAvailable()) return;
  if (last_run_ && last_run_->CompileClean())
    FitCommand(document_.name(), ui_, log_);
  else
    ShowMessage(messages::kFitImpossible);
  EnableViews();
}

void Frame::StartSimulation() {
  if (!CompiledDesignAvailable()) return;
  if (!last_run_ || !last_run_->CompileClean()) {
    ShowMessage(msg::kSimulationImpossible);
    return;
  }
  LaunchSimulation();
}

void Frame::LaunchSimulation() {
  const std::string plugin =
      (std::filesystem::path(start_directory_) / msg::kSimulatorPlugin).string();
  const std::string intermediate = Stem(document_.name()) + std::string(kIntermediateExtension);
  if (!Readable(plugin)) {
    ShowMessage(msg::kPluginNotFound);
    return;
  }
  if (!Readable(intermediate)) {
    ShowMessage(FormatText(fitter_messages::kNoIntermediateFile, {intermediate}));
    return;
  }
  const std::optional<std::string> launcher = ui_.FindProgram(msg::kJavaLauncher);
  if (!launcher) {
    ShowMessage(msg::kJvmNotFound);
    return;
  }
  ui_.RunProgramAndWait(*launcher, {std::string(msg::kJarOption), plugin, intermediate});
}

void Frame::OpenView(int kind) {
  if (document_.name().empty()) return;
  document_.OpenView(kind, compile_needed_, font_);
}

void Frame::ChooseEditorFont() {
  // On cancel the same description is made into a new font.
  ui_.ChooseFont(font_);
  line_height_ = ui_.ApplyEditorFont(font_);
}

void Frame::Search(int command_id) {
  search_position_ = ui_.EditorSelection().second;
  if (command_id == kCmdFindNext && !find_text_.empty()) {
    // Repeats the last search without a dialog and without a message at the end.
    FindInEditor(find_text_);
    return;
  }
  if (find_dialog_open_) return;
  find_dialog_open_ = true;
  ui_.OpenFindDialog(command_id == kCmdReplace, find_text_, replace_text_);
}

bool Frame::FindInEditor(std::string_view text) {
  // An empty text would match everywhere, and replacing all of it would never end.
  if (text.empty()) return false;
  const std::string editor_text = ui_.EditorText();
  if (static_cast<std::size_t>(search_position_) > editor_text.size()) return false;
  const std::size_t found = editor_text.find(text, static_cast<std::size_t>(search_position_));
  if (found == std::string::npos) return false;
  search_position_ = static_cast<int>(found + text.size());
  ui_.SelectInEditor(static_cast<int>(found), search_position_);
  return true;
}

bool Frame::ReplaceOnce(const FindRequest& request) {
  if (request.replace_all) {
    if (!FindInEditor(request.find_text)) return false;
    const int start = ui_.EditorSelection().first;
    ui_.ReplaceEditorSelection(request.replace_text);
    // The next search starts after the inserted text, so a replacement containing the find text
    // ends after one pass.
    search_position_ = start + static_cast<int>(request.replace_text.size());
    return true;
  }
  // A single replace works on what the find-next button selected, without searching.
  const auto [start, end] = ui_.EditorSelection();
  if (start != end) ui_.ReplaceEditorSelection(request.replace_text);
  return true;
}

void Frame::GoToLine() {
  const std::optional<std::string> field = ui_.AskLineNumber();
  int target = -1;
  // An empty field gives no number and counts as "Abbruch"; 0 names no line either.
  if (field && !field->empty()) {
    int number = 0;
    for (char c : field->substr(0, window_names::kLineNumberMaxLength)) {
      if (c < '0' || c > '9') break;
      number = number * 10 + (c - '0');
    }
    target = number - 1;
  }
  if (target < 0) {
    ui_.FocusEditor();
    ui_.RefreshStatusLine();
    return;
  }
  ui_.ScrollEditorTo(target);
  ui_.ClickEditor(0);
  const int first_line = ui_.EditorCaretLine();
  // The text ended before the line could reach the top: it is further down in the window.
  if (first_line < target) ui_.ClickEditor((target - first_line) * line_height_);
  ui_.RefreshStatusLine();
}

void Frame::ChooseMinimizationLevel() {
  constexpr int kFirst = window_names::kNoMinimizationButton;
  int remembered = kFirst + minimization_level_;
  ui_.RefreshStatusLine();
  // A click counts as a change even when the dialog is then cancelled.
  const bool ok = ui_.RunMinLevelDialog(remembered, [this, &remembered](int id) {
    remembered = id;
    settings_changed_ = true;
  });
  if (!ok) return;
  minimization_level_ = remembered >= kFirst && remembered <= kFirst + 2
                            ? remembered - kFirst
                            : kDefaultMinimizationLevel;
  ui_.RefreshStatusLine();
}

void Frame::EnsureLogWindow() {
  if (log_.window_open()) return;
  log_.EnsureLogWindow();
  ui_.ShowLogWindow(font_);
}

BoxAnswer Frame::Host::ShowMessageBox(std::string_view text, BoxIcon icon, BoxButtons buttons) {
  return frame_.ui_.ShowMessageBox(text, icon, buttons);
}

// The driver grays and enables its own items; the frame adds those that follow them: the
// simulation is grayed with "Nur Fitten", "Compilieren und Fitten" enabled with "Nur Compilieren".
void Frame::Host::SetMenuItemEnabled(int command_id, bool enabled) {
  frame_.ui_.SetMenuItemEnabled(command_id, enabled);
  if (command_id == kCmdFitOnly && !enabled)
    frame_.ui_.SetMenuItemEnabled(kCmdStartSimulation, false);
  if (command_id == kCmdCompileOnly && enabled)
    frame_.ui_.SetMenuItemEnabled(kCmdCompileAndFit, true);
}

void Frame::Host::ShowWaitCursor() {
  frame_.ui_.SetWaitCursor(true);
}

void Frame::Host::RunSaveAsCommand() {
  frame_.HandleCommand(kCmdSaveAs);
}

void Frame::Host::RunFitCommand(std::string_view document_name) {
  FitCommand(document_name, *this, Log());
}

}  // namespace kem
