// A scripted window system for the frame: it records what the frame shows and answers the
// questions and dialogs as the test told it to.
#pragma once

#include <algorithm>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/command_ids.h"
#include "shell/frame_ui.h"
#include "shell/menu_table.h"

namespace kem::testing_support {

class FakeUi : public FrameUi {
 public:
  struct Box {
    std::string text;
    BoxIcon icon;
    BoxButtons buttons;
    BoxKind kind;
  };
  struct View {
    std::string caption;
    std::string text;
    FontDescription font;
  };

  FakeUi() {
    for (const MenuPopup& popup : MainMenu()) {
      for (const MenuEntry& entry : popup.entries) {
        if (entry.id != 0) enabled[entry.id] = true;
      }
    }
    system_font.face_name = "System";
    system_font.height = 16;
  }

  // Scripted answers. Questions with Ja/Nein/Abbrechen take the next answer (Nein when none is
  // left); dialogs take the next name (cancelled when none is left).
  std::deque<BoxAnswer> answers;
  std::deque<std::string> dialog_names;
  std::optional<FontDescription> font_choice;  // none: the font dialog is cancelled
  bool can_undo = false;
  bool selection_empty = true;
  bool clipboard_text = false;
  bool help_file_handler = true;  // whether the desktop opens the help file
  // The go-to-line dialog's field on "OK" (none: "Abbruch"); the level dialog's clicks and answer.
  std::optional<std::string> line_field;
  std::vector<int> level_clicks;
  bool level_ok = false;
  // The editor's window for go-to-line: how many lines it shows, which is at the top.
  int visible_lines = 10;
  int first_visible = 0;
  int caret_line = 0;
  // The editor's selection as byte offsets.
  int selection_start = 0;
  int selection_end = 0;
  struct FindDialog {
    bool replace;
    std::string find_text;
    std::string replace_text;
  };
  std::vector<FindDialog> find_dialogs;
  // The programs the platform's search finds, and those started.
  std::map<std::string, std::string> programs;
  struct ProgramRun {
    std::string program;
    std::vector<std::string> arguments;
  };
  std::vector<ProgramRun> programs_run;
  // When set, a compilation waits until RunPendingCompilation().
  bool defer_compilation = false;

  // What the frame did.
  std::vector<Box> boxes;
  std::string title;
  std::map<int, bool> enabled;
  std::vector<std::pair<int, bool>> menu_calls;
  std::map<int, bool> enabled_while_compiling;  // when the driver logged its first line
  std::vector<FileDialogRequest> dialogs;
  std::string editor_text;
  std::vector<int> editor_commands;
  std::vector<HelpRequest> help_requests;
  std::vector<std::string> help_files_opened;
  std::vector<HelpRequest> manual_requests;  // the program's own help window
  std::map<int, View> views;
  std::vector<std::string> log_lines;
  std::vector<FontDescription> applied_fonts;
  std::optional<FontDescription> log_font;
  FontDescription system_font;
  int about_dialogs = 0;
  int line_dialogs = 0;
  int editor_focused = 0;
  std::vector<int> clicks;         // y of each simulated click
  std::vector<int> level_dialogs;  // the button checked at each opening
  int status_refreshes = 0;
  int log_windows_shown = 0;
  std::unique_ptr<WaveformModel> waveform;  // the last function simulation shown
  std::string waveform_title;
  std::string waveform_vector_file;
  int compilations = 0;
  bool destroyed = false;
  bool wait_cursor = false;
  bool wait_cursor_while_compiling = false;

  std::vector<std::string> box_texts() const {
    std::vector<std::string> texts;
    for (const Box& box : boxes) texts.push_back(box.text);
    return texts;
  }

  void RunPendingCompilation() {
    if (!pending_work_) return;
    CompileWork work = std::move(pending_work_);
    pending_work_ = nullptr;
    pending_done_(work(*pending_host_));
  }

  BoxAnswer ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                           BoxButtons buttons) override {
    boxes.push_back({std::string(text), icon, buttons, kind});
    if (buttons == BoxButtons::kOk) return BoxAnswer::kOk;
    if (answers.empty()) return BoxAnswer::kNo;
    const BoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }

  void LineRemoved() override { log_lines.pop_back(); }
  void LineAppended(std::string_view text, bool) override {
    log_lines.emplace_back(text);
    if (text != "Text wird compiliert") return;
    enabled_while_compiling = enabled;
    wait_cursor_while_compiling = wait_cursor;
  }

  void SetTitle(std::string_view text) override { title = std::string(text); }
  void SetMenuItemEnabled(int id, bool on) override {
    enabled[id] = on;
    menu_calls.emplace_back(id, on);
  }
  void DestroyMainWindow() override { destroyed = true; }
  void ShowAbout() override { ++about_dialogs; }
  void SetWaitCursor(bool on) override { wait_cursor = on; }
  void RefreshStatusLine() override { ++status_refreshes; }
  bool OpenHelpFile(const std::string& path, HelpRequest request) override {
    help_requests.push_back(request);
    help_files_opened.push_back(path);
    return help_file_handler;
  }
  void ShowManual(HelpRequest request) override {
    help_requests.push_back(request);
    manual_requests.push_back(request);
  }

  std::string EditorText() override { return editor_text; }
  void SetEditorText(std::string_view text) override { editor_text = std::string(text); }
  void EditorCommand(int id) override { editor_commands.push_back(id); }
  bool EditorCanUndo() override { return can_undo; }
  bool EditorSelectionEmpty() override { return selection_empty; }
  bool ClipboardHasText() override { return clipboard_text; }

  // Lines scroll no further than the last line at the bottom of the window.
  int EditorLines() const {
    return static_cast<int>(std::count(editor_text.begin(), editor_text.end(), '\n')) + 1;
  }
  std::pair<int, int> EditorSelection() override { return {selection_start, selection_end}; }
  void SelectInEditor(int start, int end) override {
    selection_start = start;
    selection_end = end;
    ++editor_focused;
  }
  void ReplaceEditorSelection(std::string_view text) override {
    editor_text.replace(static_cast<std::size_t>(selection_start),
                        static_cast<std::size_t>(selection_end - selection_start), text);
    selection_start = selection_end = selection_start + static_cast<int>(text.size());
  }
  void OpenFindDialog(bool replace, std::string_view find_text,
                      std::string_view replace_text) override {
    find_dialogs.push_back({replace, std::string(find_text), std::string(replace_text)});
  }
  std::optional<std::string> FindProgram(std::string_view name) override {
    const auto found = programs.find(std::string(name));
    if (found == programs.end()) return std::nullopt;
    return found->second;
  }
  void RunProgramAndWait(const std::string& program,
                         const std::vector<std::string>& arguments) override {
    programs_run.push_back({program, arguments});
  }
  void FocusEditor() override { ++editor_focused; }
  void ScrollEditorTo(int line) override {
    first_visible = std::max(0, std::min(line, EditorLines() - visible_lines));
  }
  void ClickEditor(int y) override {
    clicks.push_back(y);
    caret_line = std::min(first_visible + y / line_height_, EditorLines() - 1);
  }
  int EditorCaretLine() override { return caret_line; }
  std::optional<std::string> AskLineNumber() override {
    ++line_dialogs;
    return line_field;
  }
  bool RunMinLevelDialog(int checked_id, const std::function<void(int)>& clicked) override {
    level_dialogs.push_back(checked_id);
    for (int id : level_clicks) clicked(id);
    return level_ok;
  }

  std::optional<std::string> AskFileName(const FileDialogRequest& request) override {
    dialogs.push_back(request);
    if (dialog_names.empty()) return std::nullopt;
    std::string name = dialog_names.front();
    dialog_names.pop_front();
    return name;
  }
  bool ChooseFont(FontDescription& font) override {
    if (!font_choice) return false;
    font = *font_choice;
    return true;
  }
  FontDescription SystemFontDescription() override { return system_font; }
  int ApplyEditorFont(const FontDescription& font) override {
    applied_fonts.push_back(font);
    if (log_font) log_font = font;
    line_height_ = font.height + 2;
    return line_height_;
  }

  void ShowView(int kind, std::string_view caption, std::string_view text,
                const FontDescription& font) override {
    views[kind] = {std::string(caption), std::string(text), font};
  }
  void CloseView(int kind) override { views.erase(kind); }
  void ShowWaveform(std::unique_ptr<WaveformModel> model, std::string_view title,
                    const std::string& vector_file) override {
    waveform = std::move(model);
    waveform_title = title;
    waveform_vector_file = vector_file;
  }
  void ShowLogWindow(const FontDescription& font) override {
    ++log_windows_shown;
    log_lines.clear();
    log_font = font;
  }

  void RunCompilation(CompileHost& host, CompileWork work, CompileDone done) override {
    ++compilations;
    pending_host_ = &host;
    pending_work_ = std::move(work);
    pending_done_ = std::move(done);
    if (!defer_compilation) RunPendingCompilation();
  }

 private:
  int line_height_ = 1;
  CompileHost* pending_host_ = nullptr;
  CompileWork pending_work_;
  CompileDone pending_done_;
};

}  // namespace kem::testing_support
