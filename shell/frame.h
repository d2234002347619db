// The application frame without a window system: the commands of the main window, the modified
// and compile-needed flags, the availability of the menu items, and the order of start-up and
// shutdown. It drives the windows through FrameUi.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "common/message_log.h"
#include "compiler/compile_host.h"
#include "compiler/compile_run.h"
#include "shell/document.h"
#include "shell/frame_ui.h"
#include "shell/settings.h"

namespace kem {

// "Zeile: %d" for the caret on line `line_index` (0-based).
std::string StatusLineText(int line_index);

class Frame {
 public:
  explicit Frame(FrameUi& ui);
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;

  // After the windows exist: the title, the settings of `start_directory`, the font, and the
  // items that need a compiled design grayed.
  void StartUp(const std::string& start_directory);
  void ShutDown();

  void HandleCommand(int command_id);

  // Notifications of the windows.
  void EditorTextChanged();
  void EditorInput();  // a key press or a release of the left mouse button in the editor
  void EditorTextLimitReached();
  // The editor's undo history or its selection changed.
  void EditorStateChanged();
  void EditMenuOpening();
  // A request of the find or replace dialog.
  void HandleFindRequest(const FindRequest& request);
  // A close request of the main window, and "Ende"; true when the window may go now. During a
  // compilation the close, with its question, waits for the compilation's end.
  bool CloseRequested();
  void LogWindowClosed();
  void ViewClosed(int kind);

  // What the status line shows with the caret on line `line_index` (0-based).
  std::string StatusText(int line_index) const;

  // Loads a file named on the command line as "Öffnen" does, without the dialog.
  bool OpenFile(const std::string& file_name);
  // A file dropped on the window: a design opens as with "Öffnen"; false for any other file.
  bool OpenDroppedFile(const std::string& file_name);

  // A line of the error file or the log was chosen: selects the source line it names; false when
  // it names none.
  bool JumpToDiagnostic(std::string_view diagnostic);
  // F8 and Shift+F8: the next or previous diagnostic of the last compilation from the caret; false
  // when there is none.
  bool GoToDiagnostic(bool forward);

  // The host through which a compilation reaches the frame on the user-interface thread.
  CompileHost& compile_host() { return host_; }

  const Document& document() const { return document_; }
  const LogModel& log() const { return log_; }
  bool modified() const { return modified_; }
  bool compile_needed() const { return compile_needed_; }
  bool compiling() const { return compiling_; }
  bool close_pending() const { return close_pending_; }
  bool find_dialog_open() const { return find_dialog_open_; }
  int search_position() const { return search_position_; }
  int minimization_level() const { return minimization_level_; }
  bool settings_changed() const { return settings_changed_; }
  const FontDescription& font() const { return font_; }
  bool highlighting() const { return highlighting_; }
  int line_height() const { return line_height_; }
  const CompileRun* last_run() const { return last_run_.get(); }
  const RecentFiles& recent_files() const { return recent_files_; }
  bool has_fitted_design() const { return fitted_.has_value(); }

 private:
  // The compile driver's host, carried out on the user-interface thread.
  class Host : public CompileHost {
   public:
    explicit Host(Frame& frame) : frame_(frame) {}
    MessageLog& Log() override { return frame_.log_; }
    BoxAnswer ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                             BoxButtons buttons) override;
    void CompilationStarted() override;
    void SourceCompiled() override { frame_.compile_needed_ = false; }
    void CompilationEnded() override;
    void SaveUnderAnotherNameRequested() override;

   private:
    Frame& frame_;
  };

  // False when the user chose "Abbrechen".
  bool AskToSave();
  void CarryOutPendingClose();
  void WriteSettings();
  void ShowMessage(std::string_view text, BoxKind kind);
  void EnableCompileCommands();
  void EnableViews();
  void UpdateEditItems();
  void DocumentReplaced();
  void RememberDocument();
  void OpenRecentFile(int command_id);

  void NewDocument();
  void Open();
  void Import();
  // A JEDEC file decompiled into a new, unsaved document.
  void ImportJedec();
  void Save();
  void SaveAs();
  void Compile(int command_id);
  void CompileFinished(std::unique_ptr<CompileRun> run);
  // The checks shared by the commands that work on the compiled design; true when they may go on.
  bool CompiledDesignAvailable();
  void FitOnly();
  void StartSimulation();
  void LaunchSimulation();
  void OpenFunctionSimulation();
  // The fitted design the function simulation runs on; none grays its item.
  void KeepFittedDesign(std::optional<FittedDesign> fitted);
  void WriteJedecForPart(const FittedDesign& fitted);
  void OpenView(int kind);
  void ShowPinUsage();
  void ChooseEditorFont();
  void GoToLine();
  void Search(int command_id);
  // Selects the next occurrence of `text` from the search position; false when there is none.
  bool FindInEditor(std::string_view text);
  bool ReplaceOnce(const FindRequest& request);
  void ChooseMinimizationLevel();
  void EnsureLogWindow();
  void SelectEditorLine(std::string_view text, int line);

  FrameUi& ui_;
  Host host_{*this};
  Document document_;
  LogModel log_;
  bool modified_ = false;
  bool compile_needed_ = true;
  bool compiling_ = false;
  bool close_pending_ = false;
  bool find_dialog_open_ = false;
  int search_position_ = 0;
  std::string find_text_;  // shared by the find and the replace dialog, kept after they close
  std::string replace_text_;
  std::string start_directory_;
  std::string settings_path_;  // empty until start-up: nothing is written before it
  bool settings_changed_ = false;
  int port_ = kPortNone;
  int minimization_level_ = kDefaultMinimizationLevel;
  bool highlighting_ = true;
  std::string part_;  // the part fitted JEDEC files are for (KEMWinPart); empty: the family's
  FontDescription font_;
  int line_height_ = 0;
  std::unique_ptr<CompileRun> last_run_;  // answers whether the last compilation was clean
  // The last successful fit of this document, with its name and time: the text may have changed
  // since, the simulation shows what was fitted.
  struct FittedSnapshot {
    FittedDesign design;
    std::string document_name;
    std::string fit_time;
  };
  std::optional<FittedSnapshot> fitted_;
  RecentFiles recent_files_;
};

}  // namespace kem
