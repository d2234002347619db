// The frame's life: start-up and shutdown, the command dispatch, and the notifications of the
// windows. The commands themselves are in the frame_*.cpp files, one group each.
#include "shell/frame.h"

#include <filesystem>

#include "common/command_ids.h"
#include "common/format.h"
#include "shell/diagnostic_lines.h"
#include "shell/help.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"

namespace kem {

std::string StatusLineText(int line_index) {
  return FormatText(shell_messages::kStatusLine, {std::to_string(line_index + 1)});
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
  highlighting_ = settings.highlighting;
  part_ = settings.part;
  font_ = settings.font_read ? settings.font : ui_.SystemFontDescription();
  line_height_ = ui_.ApplyEditorFont(font_);
  for (int id : StartUpGrayedItems()) ui_.SetMenuItemEnabled(id, false);
  recent_files_ = RecentFiles(settings.recent_files);
  ui_.SetRecentFiles(recent_files_.MenuItems());
}

void Frame::ShutDown() {
  document_.CloseViews(kAllViews);
  if (settings_changed_) WriteSettings();
}

void Frame::HandleCommand(int command_id) {
  switch (command_id) {
    case kCmdNew:
      NewDocument();
      break;
    case kCmdOpen:
      Open();
      break;
    case kCmdImport:
      Import();
      break;
    case kCmdImportJedec:
      ImportJedec();
      break;
    case kCmdSave:
      Save();
      break;
    case kCmdSaveAs:
      SaveAs();
      break;
    case kCmdExit:
      if (CloseRequested()) ui_.DestroyMainWindow();
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
    case kCmdViewPinUsage:
      ShowPinUsage();
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
    case kCmdNextDiagnostic:
    case kCmdPreviousDiagnostic:
      GoToDiagnostic(command_id == kCmdNextDiagnostic);
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
    case kCmdFunctionSimulation:
      OpenFunctionSimulation();
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
      OpenRecentFile(command_id);
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
  ui_.ShowMessageBox(shell_messages::kCapacityReached, BoxKind::kRefusal, BoxIcon::kError,
                     BoxButtons::kOk);
}

// Undo, cut, copy and delete follow the editor as it changes, not only when the menu opens: their
// shortcuts go by the same state.
void Frame::UpdateEditItems() {
  const bool selection = !ui_.EditorSelectionEmpty();
  ui_.SetMenuItemEnabled(kCmdUndo, ui_.EditorCanUndo());
  ui_.SetMenuItemEnabled(kCmdCut, selection);
  ui_.SetMenuItemEnabled(kCmdCopy, selection);
  ui_.SetMenuItemEnabled(kCmdDelete, selection);
}

void Frame::EditorStateChanged() {
  UpdateEditItems();
}

void Frame::EditMenuOpening() {
  UpdateEditItems();
  ui_.SetMenuItemEnabled(kCmdPaste, ui_.ClipboardHasText());
  for (int id : {kCmdFind, kCmdFindNext, kCmdReplace})
    ui_.SetMenuItemEnabled(id, !find_dialog_open_);
}

std::string Frame::StatusText(int line_index) const {
  std::string text = StatusLineText(line_index);
  if (close_pending_) text.append("   ").append(shell_messages::kClosePending);
  return text;
}

bool Frame::CloseRequested() {
  if (compiling_) {
    // The question comes when the compilation has ended, so it sees what was typed meanwhile.
    close_pending_ = true;
    ui_.RefreshStatusLine();
    return false;
  }
  if (!AskToSave()) return false;
  ShutDown();
  return true;
}

void Frame::CarryOutPendingClose() {
  if (!close_pending_) return;
  close_pending_ = false;
  ui_.RefreshStatusLine();
  if (CloseRequested()) ui_.DestroyMainWindow();
}

void Frame::LogWindowClosed() {
  log_.CloseLogWindow();
}

void Frame::ViewClosed(int kind) {
  document_.ViewClosed(kind);
}

void Frame::ShowMessage(std::string_view text, BoxKind kind) {
  ui_.ShowMessageBox(text, kind, BoxIcon::kNone, BoxButtons::kOk);
}

}  // namespace kem
