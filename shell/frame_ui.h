// What the frame needs from the window system. The Qt adapter carries these calls out with
// widgets; the tests script them with a fake.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/message_box.h"
#include "common/message_log.h"
#include "compiler/compile_host.h"
#include "compiler/compile_run.h"
#include "shell/settings.h"
#include "shell/waveform_model.h"

namespace kem {

struct FileFilter {
  std::string_view label;
  std::string_view patterns;  // separated by "; "
};

// An open or save dialog as the frame asks for it.
struct FileDialogRequest {
  enum class Kind { kOpen, kSave };
  Kind kind = Kind::kOpen;
  std::string_view title;
  std::vector<FileFilter> filters;  // the first is selected
  std::string_view default_extension;
  std::string initial_name;  // the file-name field at the start
};

enum class HelpRequest { kIndex, kSearch, kContents };

// What the find or replace dialog asks for; several flags may be set at once.
struct FindRequest {
  bool find_next = false;
  bool replace = false;
  bool replace_all = false;
  bool closing = false;
  std::string find_text;
  std::string replace_text;
};

// The work of a compilation and what follows it on the user-interface thread.
using CompileWork = std::function<std::unique_ptr<CompileRun>(CompileHost& host)>;
using CompileDone = std::function<void(std::unique_ptr<CompileRun> run)>;

class FrameUi : public MessageBoxHost, public LogListener {
 public:
  // Main window.
  virtual void SetTitle(std::string_view title) = 0;
  virtual void SetMenuItemEnabled(int command_id, bool enabled) = 0;
  virtual void DestroyMainWindow() = 0;
  virtual void ShowAbout() = 0;
  virtual void SetWaitCursor(bool on) = 0;
  virtual void RefreshStatusLine() = 0;
  // The help file with the desktop's handler for it; false when no handler took it.
  virtual bool OpenHelpFile(const std::string& path, HelpRequest request) = 0;
  // The program's own manual in its help window, at the place `request` asks for.
  virtual void ShowManual(HelpRequest request) = 0;
  // The recent-file entries of the "Datei" menu, replacing the previous ones.
  virtual void SetRecentFiles(const std::vector<RecentFileItem>&) {}

  // The editor: text in UTF-8 with "\n" line ends.
  virtual std::string EditorText() = 0;
  virtual void SetEditorText(std::string_view text) = 0;
  virtual void EditorCommand(int command_id) = 0;  // undo, cut, copy, paste, delete, select all
  virtual bool EditorCanUndo() = 0;
  virtual bool EditorSelectionEmpty() = 0;
  virtual bool ClipboardHasText() = 0;

  // The selection as byte offsets into EditorText(); selecting also puts the focus on the editor.
  // Replacing the selection is an edit like typing: the text-change notification follows.
  virtual std::pair<int, int> EditorSelection() = 0;
  virtual void SelectInEditor(int start, int end) = 0;
  virtual void ReplaceEditorSelection(std::string_view text) = 0;

  // The go-to-line request of the frame: keyboard focus, scrolling so that `line` (0-based) becomes
  // the first visible line as far as the text allows, a left click at the first visible column
  // `y` pixels below the top of the text area, and the caret's line after it.
  virtual void FocusEditor() = 0;
  virtual void ScrollEditorTo(int line) = 0;
  virtual void ClickEditor(int y) = 0;
  virtual int EditorCaretLine() = 0;

  // The modeless find dialog, or with `replace` the replace dialog, offering the shared texts; its
  // requests reach Frame::HandleFindRequest, the last one with the closing flag.
  virtual void OpenFindDialog(bool replace, std::string_view find_text,
                              std::string_view replace_text) = 0;

  // The full path of the program `name` as the platform's search finds it; none when not found.
  virtual std::optional<std::string> FindProgram(std::string_view name) = 0;
  // Starts `program` with `arguments` and waits for its end; the windows keep painting, and input
  // given meanwhile is dropped, not replayed afterwards. Nothing happens when it cannot be started.
  virtual void RunProgramAndWait(const std::string& program,
                                 const std::vector<std::string>& arguments) = 0;

  // Dialogs; none when cancelled.
  // The go-to-line dialog: the text of its number field on "OK".
  virtual std::optional<std::string> AskLineNumber() = 0;
  // The level dialog with button `checked_id` checked; every radio-button click reaches `clicked`
  // with the button's id. True on "OK".
  virtual bool RunMinLevelDialog(int checked_id, const std::function<void(int)>& clicked) = 0;
  virtual std::optional<std::string> AskFileName(const FileDialogRequest& request) = 0;
  // True on OK with the chosen font in `font`; `font` is unchanged on cancel.
  virtual bool ChooseFont(FontDescription& font) = 0;

  // Fonts: the editor's default (the platform's fixed-width font), and making `font` the
  // editor's (editor and log list); returns the line height in pixels.
  virtual FontDescription SystemFontDescription() = 0;
  virtual int ApplyEditorFont(const FontDescription& font) = 0;

  // View windows, one per kind.
  virtual void ShowView(int kind, std::string_view caption, std::string_view text,
                        const FontDescription& font) = 0;
  virtual void CloseView(int kind) = 0;

  // The function simulation window on `model`, replacing an open one; `vector_file` is the name
  // its file dialogs start with.
  virtual void ShowWaveform(std::unique_ptr<WaveformModel> model, std::string_view title,
                            const std::string& vector_file) = 0;

  // The log window; its lines follow the LogListener calls.
  virtual void ShowLogWindow(const FontDescription& font) = 0;

  // Runs `work` with a host whose calls reach `ui_thread_host` in call order, then `done` on the
  // user-interface thread with the run.
  virtual void RunCompilation(CompileHost& ui_thread_host, CompileWork work, CompileDone done) = 0;
};

}  // namespace kem
