#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>
#include <QtTest>
#include <memory>

#include "common/command_ids.h"
#include "gui/main_window.h"
#include "shell/diagnostic_lines.h"
#include "tests/gui/gui_test_files.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_in_folder.h"

using kem::gui::MainWindow;

namespace {

using kem::gui_test::kCompileTimeoutMs;

constexpr int kPinListTimeoutMs = 5000;

QString ReadExample(const QString& name) {
  QFile file(QStringLiteral(EXAMPLES_DIR "/") + name);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The format the highlighter gave the character at `position` of the block; a default format
// where it gave none.
QTextCharFormat FormatAt(const QTextBlock& block, int position) {
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    if (position >= range.start && position < range.start + range.length) return range.format;
  }
  return {};
}

QTextBlock BlockStartingWith(QPlainTextEdit* editor, const QString& start) {
  for (QTextBlock block = editor->document()->begin(); block.isValid(); block = block.next()) {
    if (block.text().startsWith(start)) return block;
  }
  return {};
}

}  // namespace

class JumpTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void logLinesJumpToTheirSourceLine();
  void errorViewLinesJumpToTheirSourceLine();
  void f8AndShiftF8CycleThroughTheDiagnostics();
  void editingKeysInTheLogLeaveTheEditorAlone();
  void highlighterMarksKeywordsCommentsAndPinNames();
  void renamedPinIsNoLongerMarked();
  void settingSwitchesHighlightingOff();

 private:
  void CreateWindow();
  // Writes the design under `name` into the temporary folder and opens it.
  QString OpenDesign(const QString& name, const QString& text);
  void Compile();
  int CaretLine() const { return window_->editor()->textCursor().blockNumber(); }
  QString Selected() const { return window_->editor()->textCursor().selectedText(); }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<MainWindow> window_;
};

void JumpTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  CreateWindow();
}

void JumpTest::CreateWindow() {
  QVERIFY(kem::test::ShowMainWindowIn(*dir_, window_));
}

void JumpTest::cleanup() {
  window_.reset();
  dir_.reset();
}

QString JumpTest::OpenDesign(const QString& name, const QString& text) {
  const QString path = dir_->filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(text.toUtf8());
  file.close();
  window_->OpenFile(path);
  return path;
}

void JumpTest::Compile() {
  window_->action(kem::kCmdCompileOnly)->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(!window_->compiling() && !window_->frame().compiling(),
                           kCompileTimeoutMs);
}

// ampel with two statements that read undeclared signals: an error on each of two lines.
QString AmpelWithTwoErrors() {
  return ReadExample(QStringLiteral("ampel.kem")) +
         QStringLiteral("\nGRUEN := UNBEKANNT;\n\nGELB := NIRGENDS;\n");
}

void JumpTest::logLinesJumpToTheirSourceLine() {
  MainWindow& w = *window_;
  OpenDesign(QStringLiteral("ampel.kem"), ReadExample(QStringLiteral("ampel.kem")));
  Compile();
  QVERIFY(w.logWindow());
  kem::MessageLog& log = w.frame().compile_host().Log();
  log.AppendLogLine("Zeile 27: E19 Bezeichner unbekannt", false);
  log.AppendLogLine("Zeile 30: W01 ; fehlt", false);
  QListWidget* list = w.logWindow()->list();
  QCOMPARE(list->count(), w.logWindow()->Lines().size());

  // A double-click on the first of them.
  QListWidgetItem* first = list->item(list->count() - 2);
  list->scrollToItem(first);
  const QPoint at = list->visualItemRect(first).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);  // a double-click starts as one
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  QCOMPARE(CaretLine(), 26);
  QCOMPARE(Selected(), w.editor()->document()->findBlockByNumber(26).text());
  QVERIFY(!Selected().isEmpty());

  // Enter on the second.
  list->setCurrentRow(list->count() - 1);
  QTest::keyClick(list, Qt::Key_Return);
  QCOMPARE(CaretLine(), 29);

  // A line without a source line changes nothing.
  list->setCurrentRow(0);
  QCOMPARE(list->currentItem()->text(), QStringLiteral("Text wird compiliert"));
  QTest::keyClick(list, Qt::Key_Return);
  QCOMPARE(CaretLine(), 29);
  QVERIFY(!w.frame().modified());
}

void JumpTest::errorViewLinesJumpToTheirSourceLine() {
  MainWindow& w = *window_;
  OpenDesign(QStringLiteral("ampel.kem"), AmpelWithTwoErrors());
  Compile();
  w.action(kem::kCmdViewErrors)->trigger();
  kem::gui::ViewWindow* view = w.viewWindow(kem::kViewErrors);
  QVERIFY(view);
  QPlainTextEdit* errors = view->editor();
  const QString shown = errors->toPlainText();
  QVERIFY2(shown.startsWith(QStringLiteral("Zeile ")), qPrintable(shown));

  const QTextBlock first = errors->document()->firstBlock();
  const QPoint at = errors->cursorRect(QTextCursor(first)).center();
  QTest::mouseDClick(errors->viewport(), Qt::LeftButton, {}, at);
  QCOMPARE(Selected(), QStringLiteral("GRUEN := UNBEKANNT;"));
  QCOMPARE(w.editor()->textCursor().blockNumber() + 1,
           *kem::DiagnosticLineNumber(first.text().toStdString()));

  // Enter in the view jumps as well and inserts no line break into it.
  QTextCursor last(errors->document()->lastBlock());
  if (last.block().text().isEmpty()) last.movePosition(QTextCursor::PreviousBlock);
  errors->setTextCursor(last);
  errors->setFocus();
  QTest::keyClick(errors, Qt::Key_Return);
  QCOMPARE(Selected(), QStringLiteral("GELB := NIRGENDS;"));
  QCOMPARE(errors->toPlainText(), shown);
}

void JumpTest::f8AndShiftF8CycleThroughTheDiagnostics() {
  MainWindow& w = *window_;
  QAction* next = w.action(kem::kCmdNextDiagnostic);
  QAction* previous = w.action(kem::kCmdPreviousDiagnostic);
  QVERIFY(next && previous);
  QCOMPARE(next->shortcut(), QKeySequence(QStringLiteral("F8")));
  QCOMPARE(previous->shortcut(), QKeySequence(QStringLiteral("Shift+F8")));

  OpenDesign(QStringLiteral("ampel.kem"), AmpelWithTwoErrors());
  QTest::keyClick(&w, Qt::Key_F8);  // not compiled yet: no error file, nothing happens
  QCOMPARE(CaretLine(), 0);
  QVERIFY(!Selected().size());

  Compile();
  // The log stands in front after the compilation: F8 there brings the editor forward.
  QVERIFY(w.logWindow());
  w.logWindow()->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.logWindow()));
  QTest::keyClick(w.logWindow()->list(), Qt::Key_F8);
  QVERIFY(QTest::qWaitForWindowActive(&w));
  QStringList seen{Selected()};
  for (int i = 0; i < 2; ++i) {
    QTest::keyClick(&w, Qt::Key_F8);
    seen << Selected();
  }
  QTest::keyClick(&w, Qt::Key_F8, Qt::ShiftModifier);
  seen << Selected();
  QCOMPARE(seen, (QStringList{"GRUEN := UNBEKANNT;", "GELB := NIRGENDS;", "GRUEN := UNBEKANNT;",
                              "GELB := NIRGENDS;"}));
  QCOMPARE(w.statusLine()->Text(), QStringLiteral("Zeile: %1").arg(CaretLine() + 1));
}

// F8 reaches the editor from every window; the editing keys of the main window do not.
void JumpTest::editingKeysInTheLogLeaveTheEditorAlone() {
  MainWindow& w = *window_;
  OpenDesign(QStringLiteral("ampel.kem"), AmpelWithTwoErrors());
  Compile();
  QTest::keyClicks(w.editor(), QStringLiteral("xyz"));
  const QString typed = w.editor()->toPlainText();
  w.logWindow()->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(w.logWindow()));
  QTest::keyClick(w.logWindow()->list(), Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(w.editor()->toPlainText(), typed);
  QVERIFY(w.logWindow()->isActiveWindow());
}

void JumpTest::highlighterMarksKeywordsCommentsAndPinNames() {
  MainWindow& w = *window_;
  QVERIFY(w.highlighter());
  OpenDesign(QStringLiteral("ampel.kem"), ReadExample(QStringLiteral("ampel.kem")));
  QPlainTextEdit* editor = w.editor();

  const QTextBlock chip = BlockStartingWith(editor, QStringLiteral("CHIP ampel"));
  QVERIFY(chip.isValid());
  const QTextCharFormat keyword = FormatAt(chip, 0);
  QCOMPARE(keyword.fontWeight(), int(QFont::Bold));
  QCOMPARE(FormatAt(chip, chip.text().indexOf(QStringLiteral("GAL16V8"))), keyword);
  QVERIFY(!FormatAt(chip, chip.text().indexOf(QStringLiteral("ampel")))
               .hasProperty(QTextFormat::ForegroundBrush));

  // A line inside the opening block comment, and a line comment.
  const QTextBlock inside = editor->document()->findBlockByNumber(1);
  const QTextCharFormat comment = FormatAt(inside, 3);
  QVERIFY(comment.fontItalic());
  QCOMPARE(FormatAt(BlockStartingWith(editor, QStringLiteral("// pins 1")), 0), comment);

  // A declared pin name in a statement, distinct from keywords and comments.
  const QTextBlock statement = BlockStartingWith(editor, QStringLiteral("GELB := "));
  const QTextCharFormat pin = FormatAt(statement, 0);
  QVERIFY(pin.hasProperty(QTextFormat::ForegroundBrush));
  QVERIFY(pin.foreground() != keyword.foreground());
  QVERIFY(pin.foreground() != comment.foreground());
  QVERIFY(FormatAt(statement, statement.text().indexOf(QLatin1Char('*')))
              .hasProperty(QTextFormat::ForegroundBrush));

  // Colouring is no edit.
  QVERIFY(!w.frame().modified());
  QVERIFY(!w.windowTitle().endsWith(QStringLiteral(" *")));
  // The picture from the header on, where every kind of colour shows.
  editor->verticalScrollBar()->setValue(chip.blockNumber() - 1);
  QVERIFY(!kem::test::SaveScreenshot(&w, QStringLiteral("main_window_highlighting")).isEmpty());
}

void JumpTest::renamedPinIsNoLongerMarked() {
  MainWindow& w = *window_;
  OpenDesign(QStringLiteral("ampel.kem"), ReadExample(QStringLiteral("ampel.kem")));
  QPlainTextEdit* editor = w.editor();
  const QTextBlock use = BlockStartingWith(editor, QStringLiteral("ANF := "));
  const int taster = use.text().indexOf(QStringLiteral("TASTER"));
  QVERIFY(FormatAt(use, taster).hasProperty(QTextFormat::ForegroundBrush));

  // Renamed in the pin list, the name in the statement is an undeclared word.
  const QTextBlock pins = BlockStartingWith(editor, QStringLiteral("CLK    RESET  TASTER"));
  QTextCursor cursor(pins);
  cursor.setPosition(pins.position() + pins.text().indexOf(QStringLiteral("TASTER")));
  cursor.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
  cursor.insertText(QStringLiteral("KNOPF "));
  QTRY_VERIFY_WITH_TIMEOUT(!FormatAt(BlockStartingWith(editor, QStringLiteral("ANF := ")), taster)
                                .hasProperty(QTextFormat::ForegroundBrush),
                           kPinListTimeoutMs);
}

void JumpTest::settingSwitchesHighlightingOff() {
  window_.reset();
  const QString ini = dir_->filePath(QStringLiteral("kem.ini"));
  QFile file(ini);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("KEMWinMinLevel=NOMIN\nKEMWinHighlight=0\n");
  file.close();
  CreateWindow();
  MainWindow& w = *window_;
  QVERIFY(!w.highlighter());
  OpenDesign(QStringLiteral("ampel.kem"), ReadExample(QStringLiteral("ampel.kem")));
  QApplication::processEvents();
  const QTextBlock chip = BlockStartingWith(w.editor(), QStringLiteral("CHIP ampel"));
  QVERIFY(chip.layout()->formats().isEmpty());

  // Written back at the end, so the next start has it off again.
  w.close();
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray written = file.readAll();
  QVERIFY2(
      written.contains("\nKEMWin_Port=NoLPT\nKEMWinMinLevel=NOMIN\nKEMWinHighlight=0\nFont_Set="),
      written.constData());
}

#include "tests/gui/gui_test_class.h"
KEM_GUI_TEST_CLASS(JumpTest)
#include "jump_test.moc"
