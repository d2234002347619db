// The main window "ST16": the editor, the status line and the menu, with the log and view
// windows beside it. It carries out what the frame asks for and reports what the user does;
// every decision is the frame's.
#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <array>
#include <map>
#include <memory>

#include "gui/compile_worker.h"
#include "gui/help_window.h"
#include "gui/highlighter.h"
#include "gui/log_window.h"
#include "gui/recent_files_menu.h"
#include "gui/status_line.h"
#include "gui/view_window.h"
#include "gui/waveform_window.h"
#include "shell/document.h"
#include "shell/frame.h"
#include "shell/frame_ui.h"

namespace kem::gui {

class MainWindow : public QMainWindow, public FrameUi {
  Q_OBJECT

 public:
  // `start_directory` is where the settings file is read.
  explicit MainWindow(const QString& start_directory);
  ~MainWindow() override;

  // Opens a file named on the command line.
  void OpenFile(const QString& path);

  Frame& frame() { return *frame_; }
  QAction* action(int command_id) const;
  QPlainTextEdit* editor() const { return editor_; }
  StatusLine* statusLine() const { return status_; }
  LogWindow* logWindow() const { return log_window_; }
  ViewWindow* viewWindow(int kind) const { return views_[kind]; }
  HelpWindow* helpWindow() const { return help_window_; }
  WaveformWindow* waveformWindow() const { return waveform_window_; }
  Highlighter* highlighter() const { return highlighter_; }
  bool compiling() const { return worker_->running(); }

  // FrameUi.
  BoxAnswer ShowMessageBox(std::string_view text, BoxKind kind, BoxIcon icon,
                           BoxButtons buttons) override;
  void LineRemoved() override;
  void LineAppended(std::string_view text, bool transient) override;
  void SetTitle(std::string_view title) override;
  void SetMenuItemEnabled(int command_id, bool enabled) override;
  void DestroyMainWindow() override;
  void ShowAbout() override;
  void SetWaitCursor(bool on) override;
  void RefreshStatusLine() override;
  bool OpenHelpFile(const std::string& path, HelpRequest request) override;
  void ShowManual(HelpRequest request) override;
  void SetRecentFiles(const std::vector<RecentFileItem>& items) override;
  std::string EditorText() override;
  void SetEditorText(std::string_view text) override;
  void EditorCommand(int command_id) override;
  bool EditorCanUndo() override;
  bool EditorSelectionEmpty() override;
  bool ClipboardHasText() override;
  std::pair<int, int> EditorSelection() override;
  void SelectInEditor(int start, int end) override;
  void ReplaceEditorSelection(std::string_view text) override;
  void OpenFindDialog(bool replace, std::string_view find_text,
                      std::string_view replace_text) override;
  std::optional<std::string> FindProgram(std::string_view name) override;
  void RunProgramAndWait(const std::string& program,
                         const std::vector<std::string>& arguments) override;
  void FocusEditor() override;
  void ScrollEditorTo(int line) override;
  void ClickEditor(int y) override;
  int EditorCaretLine() override;
  std::optional<std::string> AskLineNumber() override;
  bool RunMinLevelDialog(int checked_id, const std::function<void(int)>& clicked) override;
  std::optional<std::string> AskFileName(const FileDialogRequest& request) override;
  bool ChooseFont(FontDescription& font) override;
  FontDescription SystemFontDescription() override;
  int ApplyEditorFont(const FontDescription& font) override;
  void ShowView(int kind, std::string_view caption, std::string_view text,
                const FontDescription& font) override;
  void CloseView(int kind) override;
  void ShowWaveform(std::unique_ptr<WaveformModel> model, std::string_view title,
                    const std::string& vector_file) override;
  void ShowLogWindow(const FontDescription& font) override;
  void RunCompilation(CompileHost& ui_thread_host, CompileWork work, CompileDone done) override;

 signals:
  // The main window is gone: the program ends.
  void programEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateMenu();
  void CreateAccelerators();
  void CreateDiagnosticKeys();
  void CloseOwnedWindows();
  // A line of the error view or the log was chosen: the source line it names, in front.
  bool JumpToDiagnostic(const QString& line);
  void BringForward();
  // The editor text as EditorText() gives it, and conversions between its character positions
  // and the byte offsets of its UTF-8 form.
  QString RawEditorText() const;
  int ByteOffset(int position) const;
  int Position(int byte_offset) const;

  QPlainTextEdit* editor_;
  StatusLine* status_;
  std::map<int, QAction*> actions_;
  QPointer<LogWindow> log_window_;
  QPointer<HelpWindow> help_window_;  // one, reused by every help command
  QPointer<WaveformWindow> waveform_window_;
  Highlighter* highlighter_ = nullptr;  // none when highlighting is off
  std::array<QPointer<ViewWindow>, kViewKinds> views_;
  ViewCascade view_cascade_;
  std::unique_ptr<RecentFilesMenu> recent_files_menu_;
  QFont font_;
  bool setting_text_ = false;  // the frame replaces the text: no change notification
  bool destroying_ = false;
  bool wait_cursor_ = false;
  std::unique_ptr<Frame> frame_;
  std::unique_ptr<CompileWorker> worker_;
};

}  // namespace kem::gui
