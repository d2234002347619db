// The frame's search commands: find, find next, replace, replace all, and go to line.
#include "shell/frame.h"

#include <optional>

#include "common/command_ids.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"

namespace kem {

void Frame::HandleFindRequest(const FindRequest& request) {
  // The dialogs edit the shared buffers.
  find_text_ = request.find_text.substr(0, shell_messages::kSearchTextCapacity);
  replace_text_ = request.replace_text.substr(0, shell_messages::kSearchTextCapacity);
  FindRequest bounded = request;
  bounded.find_text = find_text_;
  bounded.replace_text = replace_text_;
  if (request.closing) {
    find_dialog_open_ = false;
    // The menu grayed them while the dialog was open; their keys work again without opening it.
    for (int id : {kCmdFind, kCmdFindNext, kCmdReplace}) ui_.SetMenuItemEnabled(id, true);
  }
  if (request.find_next && !FindInEditor(find_text_))
    ui_.ShowMessageBox(shell_messages::kTextNotFound, BoxKind::kInformation, BoxIcon::kWarning,
                       BoxButtons::kOk);
  if (request.replace || request.replace_all) {
    if (!ReplaceOnce(bounded)) {
      ui_.ShowMessageBox(shell_messages::kTextNotFound, BoxKind::kInformation, BoxIcon::kWarning,
                         BoxButtons::kOk);
    } else if (request.replace_all) {
      while (ReplaceOnce(bounded)) {
      }
    }
  }
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

}  // namespace kem
