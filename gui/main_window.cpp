#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QKeySequence>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBlock>
#include <QUrl>

#include "common/command_ids.h"
#include "gui/about_dialog.h"
#include "gui/dialogs.h"
#include "gui/file_drop.h"
#include "gui/font_conversion.h"
#include "gui/frame_geometry.h"
#include "gui/input_discarder.h"
#include "gui/message_boxes.h"
#include "shell/diagnostic_lines.h"
#include "shell/menu_table.h"
#include "shell/shell_messages.h"

namespace kem::gui {

namespace {

constexpr int kMainWidth = 600;
constexpr int kMainHeight = 400;
constexpr int kStatusLineHeight = 16;

// The client area: the editor above, the status line in the bottom 16 pixels.
class ClientArea : public QWidget {
 public:
  explicit ClientArea(QWidget* parent) : QWidget(parent) {}
  void Place(QWidget* editor, QWidget* status_line) {
    editor_ = editor;
    status_line_ = status_line;
  }

 protected:
  void resizeEvent(QResizeEvent*) override {
    const int w = width();
    const int h = height();
    if (editor_) editor_->setGeometry(0, 0, w, std::max(0, h - kStatusLineHeight));
    if (status_line_) status_line_->setGeometry(0, h - kStatusLineHeight, w, kStatusLineHeight);
  }

 private:
  QWidget* editor_ = nullptr;
  QWidget* status_line_ = nullptr;
};

QString FileName(std::string_view name) {
  return QFile::decodeName(QByteArray(name.data(), static_cast<qsizetype>(name.size())));
}

QString Filter(const FileFilter& filter) {
  QString patterns = FromUtf8(filter.patterns);
  patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
  return QStringLiteral("%1 (%2)").arg(FromUtf8(filter.label), patterns.simplified());
}

}  // namespace

MainWindow::MainWindow(const QString& start_directory) {
  setObjectName(FromUtf8(window_names::kMainWindow));
  PlaceFrame(this, QRect(0, 0, kMainWidth, kMainHeight));

  auto* client = new ClientArea(this);
  editor_ = new QPlainTextEdit(client);
  editor_->setObjectName(
      QStringLiteral("%1_%2").arg(FromUtf8(window_names::kEditor)).arg(window_names::kEditorId));
  SetUpEditor(editor_);
  editor_->installEventFilter(this);
  editor_->viewport()->installEventFilter(this);
  status_ = new StatusLine(
      editor_, [this](int line_index) { return frame_->StatusText(line_index); }, client);
  client->Place(editor_, status_);
  setCentralWidget(client);
  setFocusProxy(editor_);

  frame_ = std::make_unique<Frame>(*this);
  CreateMenu();
  CreateAccelerators();
  auto* drop =
      new FileDrop(this, [this](const std::string& name) { frame_->OpenDroppedFile(name); });
  drop->Watch(this);
  drop->Watch(editor_->viewport());
  CreateDiagnosticKeys();
  connect(editor_, &QPlainTextEdit::textChanged, this, [this] {
    if (!setting_text_) frame_->EditorTextChanged();
  });
  connect(editor_, &QPlainTextEdit::undoAvailable, this, [this] { frame_->EditorStateChanged(); });
  connect(editor_, &QPlainTextEdit::copyAvailable, this, [this] { frame_->EditorStateChanged(); });
  worker_ = std::make_unique<CompileWorker>(this, frame_->compile_host());
  frame_->StartUp(QFile::encodeName(start_directory).toStdString());
  if (frame_->highlighting()) highlighter_ = new Highlighter(editor_->document());
  editor_->setFocus();
}

MainWindow::~MainWindow() {
  // A running compilation still needs this window for its lines and boxes.
  destroying_ = true;
  worker_->WaitForEnd();
  SetWaitCursor(false);
  CloseOwnedWindows();
  editor_->disconnect(this);  // the editor outlives the frame its notifications go to
}

void MainWindow::OpenFile(const QString& path) {
  frame_->OpenFile(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
}

QAction* MainWindow::action(int command_id) const {
  const auto found = actions_.find(command_id);
  return found == actions_.end() ? nullptr : found->second;
}

void MainWindow::CreateMenu() {
  menuBar()->setObjectName(FromUtf8(window_names::kMenu));
  int index = 0;
  for (const MenuPopup& popup : MainMenu()) {
    QMenu* menu = menuBar()->addMenu(FromUtf8(popup.title));
    for (const MenuEntry& entry : popup.entries) {
      if (entry.id == 0) {
        menu->addSeparator();
        continue;
      }
      QAction* action = menu->addAction(FromUtf8(entry.text));
      action->setObjectName(QStringLiteral("cmd_%1").arg(entry.id));
      action->setData(entry.id);
      const int id = entry.id;
      connect(action, &QAction::triggered, this, [this, id] { frame_->HandleCommand(id); });
      actions_[id] = action;
    }
    if (index++ == kEditPopupIndex)
      connect(menu, &QMenu::aboutToShow, this, [this] { frame_->EditMenuOpening(); });
  }
  recent_files_menu_ =
      std::make_unique<RecentFilesMenu>(menuBar()->actions().first()->menu(), action(kCmdExit),
                                        [this](int id) { frame_->HandleCommand(id); });
}

// Keys of commands with a menu item go onto that item; the others (F1) get an action of their own.
void MainWindow::CreateAccelerators() {
  std::map<int, QList<QKeySequence>> keys;
  for (const Accelerator& accelerator : AllKeys())
    keys[accelerator.command_id] << QKeySequence(FromUtf8(accelerator.key),
                                                 QKeySequence::PortableText);
  for (const auto& [id, sequences] : keys) {
    QAction* action = this->action(id);
    if (!action) {
      action = new QAction(this);
      action->setObjectName(QStringLiteral("cmd_%1").arg(id));
      action->setData(id);
      connect(action, &QAction::triggered, this, [this, id = id] { frame_->HandleCommand(id); });
      addAction(action);
      actions_[id] = action;
    }
    action->setShortcuts(sequences);
    action->setShortcutContext(Qt::WindowShortcut);
  }
}

// F8 and Shift+F8 work from the log and the views too, which stand in front after a compilation;
// a jump brings the editor forward.
void MainWindow::CreateDiagnosticKeys() {
  for (const Accelerator& key : kDiagnosticKeys) {
    const bool forward = key.command_id == kCmdNextDiagnostic;
    auto* action = new QAction(this);
    action->setObjectName(QStringLiteral("cmd_%1").arg(key.command_id));
    action->setData(key.command_id);
    action->setShortcut(QKeySequence(FromUtf8(key.key), QKeySequence::PortableText));
    action->setShortcutContext(Qt::ApplicationShortcut);
    connect(action, &QAction::triggered, this, [this, forward] {
      if (frame_->GoToDiagnostic(forward)) BringForward();
    });
    addAction(action);
    actions_[key.command_id] = action;
  }
}

void MainWindow::BringForward() {
  raise();
  activateWindow();
}

void MainWindow::CloseOwnedWindows() {
  delete log_window_.data();
  delete help_window_.data();
  delete waveform_window_.data();
  for (QPointer<ViewWindow>& view : views_) delete view.data();
}

bool MainWindow::JumpToDiagnostic(const QString& line) {
  if (!frame_->JumpToDiagnostic(line.toStdString())) return false;
  BringForward();
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!destroying_ && !frame_->CloseRequested()) {
    event->ignore();
    return;
  }
  destroying_ = true;
  event->accept();
  CloseOwnedWindows();
  emit programEnded();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool key = event->type() == QEvent::KeyPress && watched == editor_;
  const bool mouse = event->type() == QEvent::MouseButtonRelease &&
                     watched == editor_->viewport() &&
                     static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  if (key || mouse) frame_->EditorInput();
  return QMainWindow::eventFilter(watched, event);
}

BoxAnswer MainWindow::ShowMessageBox(std::string_view text, BoxKind, BoxIcon icon,
                                     BoxButtons buttons) {
  return ShowBox(this, text, icon, buttons);
}

void MainWindow::LineRemoved() {
  if (log_window_) log_window_->RemoveLastLine();
}

void MainWindow::LineAppended(std::string_view text, bool) {
  if (log_window_) log_window_->AppendLine(text);
}

void MainWindow::SetTitle(std::string_view title) {
  setWindowTitle(FileName(title));
}

void MainWindow::SetMenuItemEnabled(int command_id, bool enabled) {
  if (QAction* action = this->action(command_id)) action->setEnabled(enabled);
}

void MainWindow::DestroyMainWindow() {
  if (destroying_) return;
  destroying_ = true;
  close();
}

void MainWindow::ShowAbout() {
  AboutDialog(this).exec();
}

void MainWindow::SetWaitCursor(bool on) {
  if (on == wait_cursor_) return;
  wait_cursor_ = on;
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void MainWindow::SetRecentFiles(const std::vector<RecentFileItem>& items) {
  recent_files_menu_->Set(items);
}

void MainWindow::RefreshStatusLine() {
  status_->update();
}

bool MainWindow::OpenHelpFile(const std::string& path, HelpRequest) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(FileName(path)));
}

void MainWindow::ShowManual(HelpRequest request) {
  if (!help_window_) help_window_ = new HelpWindow;
  help_window_->Show(request);
}

QString MainWindow::RawEditorText() const {
  // The raw text keeps non-breaking spaces, which the plain text would turn into blanks.
  QString text = editor_->document()->toRawText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  return text;
}

int MainWindow::ByteOffset(int position) const {
  return static_cast<int>(RawEditorText().left(position).toUtf8().size());
}

int MainWindow::Position(int byte_offset) const {
  return static_cast<int>(QString::fromUtf8(RawEditorText().toUtf8().left(byte_offset)).size());
}

std::string MainWindow::EditorText() {
  return RawEditorText().toStdString();
}

void MainWindow::SetEditorText(std::string_view text) {
  setting_text_ = true;
  // The names first, so the text is coloured once, completely.
  if (highlighter_) highlighter_->ReadPinNames(text);
  editor_->setPlainText(FromUtf8(text));
  setting_text_ = false;
  status_->update();
}

void MainWindow::EditorCommand(int command_id) {
  switch (command_id) {
    case kCmdUndo:
      editor_->undo();
      break;
    case kCmdCut:
      editor_->cut();
      break;
    case kCmdCopy:
      editor_->copy();
      break;
    case kCmdPaste:
      editor_->paste();
      break;
    case kCmdDelete:
      editor_->textCursor().removeSelectedText();
      break;
    case kCmdSelectAll:
      editor_->selectAll();
      break;
    default:
      break;
  }
}

bool MainWindow::EditorCanUndo() {
  return editor_->document()->isUndoAvailable();
}

bool MainWindow::EditorSelectionEmpty() {
  return !editor_->textCursor().hasSelection();
}

bool MainWindow::ClipboardHasText() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText() && !data->text().isEmpty();
}

std::optional<std::string> MainWindow::AskFileName(const FileDialogRequest& request) {
  QFileDialog dialog(this, FromUtf8(request.title));
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  QStringList filters;
  for (const FileFilter& filter : request.filters) filters << Filter(filter);
  dialog.setNameFilters(filters);
  if (!filters.isEmpty()) dialog.selectNameFilter(filters.first());
  dialog.setDefaultSuffix(FromUtf8(request.default_extension));
  if (request.kind == FileDialogRequest::Kind::kOpen) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.initial_name.empty()) dialog.selectFile(FileName(request.initial_name));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFile::encodeName(dialog.selectedFiles().first()).toStdString();
}

std::pair<int, int> MainWindow::EditorSelection() {
  const QTextCursor cursor = editor_->textCursor();
  return {ByteOffset(cursor.selectionStart()), ByteOffset(cursor.selectionEnd())};
}

void MainWindow::SelectInEditor(int start, int end) {
  QTextCursor cursor = editor_->textCursor();
  cursor.setPosition(Position(start));
  cursor.setPosition(Position(end), QTextCursor::KeepAnchor);
  editor_->setTextCursor(cursor);
  editor_->setFocus();
}

void MainWindow::ReplaceEditorSelection(std::string_view text) {
  editor_->textCursor().insertText(FromUtf8(text));
}

void MainWindow::OpenFindDialog(bool replace, std::string_view find_text,
                                std::string_view replace_text) {
  auto* dialog =
      new FindDialog(this, replace, FromUtf8(find_text), FromUtf8(replace_text),
                     [this](const FindRequest& request) { frame_->HandleFindRequest(request); });
  dialog->show();
}

std::optional<std::string> MainWindow::FindProgram(std::string_view name) {
  const QString path = QStandardPaths::findExecutable(FromUtf8(name));
  if (path.isEmpty()) return std::nullopt;
  return QFile::encodeName(path).toStdString();
}

void MainWindow::RunProgramAndWait(const std::string& program,
                                   const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << QFile::decodeName(argument.c_str());
  QProcess process;
  QEventLoop loop;
  connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
  process.start(QFile::decodeName(program.c_str()), list);
  if (!process.waitForStarted()) return;
  // The windows keep painting while the simulator runs. What the user types or clicks meanwhile
  // is dropped as it arrives: kept back, it would reach the editor afterwards at the caret.
  const InputDiscarder discarder;
  if (process.state() != QProcess::NotRunning) loop.exec();
}

void MainWindow::FocusEditor() {
  editor_->setFocus();
}

// Without line wrapping the scroll bar counts lines.
void MainWindow::ScrollEditorTo(int line) {
  editor_->verticalScrollBar()->setValue(line);
}

void MainWindow::ClickEditor(int y) {
  const int top = editor_->cursorRect(editor_->cursorForPosition(QPoint(0, 0))).top();
  // One pixel into the line, so a click at a line's top edge is not taken for the line above.
  const QPoint point(0, top + y + 1);
  editor_->setFocus();
  editor_->setTextCursor(editor_->cursorForPosition(point));
}

int MainWindow::EditorCaretLine() {
  return editor_->textCursor().blockNumber();
}

std::optional<std::string> MainWindow::AskLineNumber() {
  GoToLineDialog dialog(this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.FieldText().toStdString();
}

bool MainWindow::RunMinLevelDialog(int checked_id, const std::function<void(int)>& clicked) {
  return MinLevelDialog(this, checked_id, clicked).exec() == QDialog::Accepted;
}

bool MainWindow::ChooseFont(FontDescription& font) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, ToQFont(font), this);
  if (ok) font = FromQFont(chosen, font);
  return ok;
}

FontDescription MainWindow::SystemFontDescription() {
  return DefaultEditorFont();
}

int MainWindow::ApplyEditorFont(const FontDescription& font) {
  font_ = ToQFont(font);
  setting_text_ = true;
  editor_->setFont(font_);
  setting_text_ = false;
  if (log_window_) log_window_->SetListFont(font_);
  return LineHeight(font_);
}

void MainWindow::ShowView(int kind, std::string_view caption, std::string_view text,
                          const FontDescription& font) {
  CloseView(kind);
  auto* view =
      new ViewWindow(kind, FileName(caption), FromUtf8(text), ToQFont(font), view_cascade_.Next());
  connect(view, &ViewWindow::closed, this, [this](int closed_kind) {
    views_[closed_kind] = nullptr;
    frame_->ViewClosed(closed_kind);
  });
  if (kind == kViewErrors)
    view->SetLineHandler([this](const QString& line) { return JumpToDiagnostic(line); });
  views_[kind] = view;
  view->show();
}

void MainWindow::CloseView(int kind) {
  if (ViewWindow* view = views_[kind]) {
    views_[kind] = nullptr;
    view->disconnect(this);
    view->close();
  }
}

void MainWindow::ShowWaveform(std::unique_ptr<WaveformModel> model, std::string_view title,
                              const std::string& vector_file) {
  delete waveform_window_.data();
  waveform_window_ = new WaveformWindow(std::move(model), FromUtf8(title), vector_file, *this);
  waveform_window_->move(view_cascade_.Next());
  waveform_window_->show();
}

void MainWindow::ShowLogWindow(const FontDescription& font) {
  delete log_window_.data();
  log_window_ = new LogWindow(ToQFont(font));
  connect(log_window_, &LogWindow::closed, this, [this] {
    log_window_ = nullptr;
    frame_->LogWindowClosed();
  });
  connect(log_window_, &LogWindow::lineActivated, this, &MainWindow::JumpToDiagnostic);
  log_window_->show();
  // The log only reports; typing goes on in the editor.
  activateWindow();
  editor_->setFocus();
}

void MainWindow::RunCompilation(CompileHost&, CompileWork work, CompileDone done) {
  worker_->Start(std::move(work), std::move(done));
}

}  // namespace kem::gui
