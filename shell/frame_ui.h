// What the frame needs from the window system. The Qt adapter carries these calls out with
// widgets; the tests script them with a fake.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/message_box.h"
#include "common/message_log.h"
#include "compiler/compile_host.h"
#include "compiler/compile_run.h"
#include "shell/settings.h"

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
  virtual void ShowHelp(HelpRequest request) = 0;

  // The editor: text in UTF-8 with "\n" line ends.
  virtual std::string EditorText() = 0;
  virtual void SetEditorText(std::string_view text) = 0;
  virtual void EditorCommand(int command_id) = 0;  // undo, cut, copy, paste, delete, select all
  virtual bool EditorCanUndo() = 0;
  virtual bool EditorSelectionEmpty() = 0;
  virtual bool ClipboardHasText() = 0;

  // Dialogs; none when cancelled.
  virtual std::optional<std::string> AskFileName(const FileDialogRequest& request) = 0;
  // True on OK with the chosen font in `font`; `font` is unchanged on cancel.
  virtual bool ChooseFont(FontDescription& font) = 0;

  // Fonts: the platform's system font, and making `font` the editor's (editor and log list);
  // returns the line height in pixels.
  virtual FontDescription SystemFontDescription() = 0;
  virtual int ApplyEditorFont(const FontDescription& font) = 0;

  // View windows, one per kind.
  virtual void ShowView(int kind, std::string_view caption, std::string_view text,
                        const FontDescription& font) = 0;
  virtual void CloseView(int kind) = 0;

  // The log window; its lines follow the LogListener calls.
  virtual void ShowLogWindow(const FontDescription& font) = 0;

  // Runs `work` with a host whose calls reach `ui_thread_host` in call order, then `done` on the
  // user-interface thread with the run.
  virtual void RunCompilation(CompileHost& ui_thread_host, CompileWork work, CompileDone done) = 0;
};

}  // namespace kem
