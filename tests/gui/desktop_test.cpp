// kemwin as a desktop program: Qt's German texts, dialog sizes, mnemonics, keys, the command
// line, recent files, dropped files, cascaded views and the default font.
#include <sys/stat.h>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <functional>
#include <memory>
#include <tuple>

#include "common/command_ids.h"
#include "gui/dialogs.h"
#include "gui/font_conversion.h"
#include "gui/main_window.h"
#include "gui/message_boxes.h"
#include "gui/translation.h"
#include "tests/gui/gui_test_files.h"
#include "tests/support/modal_answers.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_in_folder.h"

using kem::gui::MainWindow;
using kem::test::AnswerNextModal;

namespace {

using kem::gui_test::ReadFile;
using kem::gui_test::WriteFile;

QMenu* FileMenu(MainWindow& window) {
  return window.menuBar()->actions().first()->menu();
}

// The "Datei" menu as the user reads it: texts, "-" for separators.
QStringList FileMenuTexts(MainWindow& window) {
  QStringList texts;
  for (QAction* item : FileMenu(window)->actions())
    texts << (item->isSeparator() ? QStringLiteral("-") : item->text());
  return texts;
}

// Sends a drag of `urls` over `target` and drops it; true when the drop was accepted.
bool DropUrls(QWidget* target, const QList<QUrl>& urls) {
  QMimeData data;
  data.setUrls(urls);
  const QPoint point = target->rect().center();
  QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDropEvent drop(QPointF(point), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  return drop.isAccepted();
}

struct ProcessResult {
  int exit_code = -1;
  QString out;
  QString err;
};

// Runs a program of the build without any display, as from a terminal without a desktop.
ProcessResult Run(const QString& program, const QStringList& arguments, bool with_platform) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.remove(QStringLiteral("DISPLAY"));
  environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
  environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
  if (with_platform) environment.insert(QStringLiteral("QT_QPA_PLATFORM"), "offscreen");
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(30000)) return {};
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void fileDialogSpeaksGerman();
  void goToLineDialogShowsItsWholeCaption();
  void messageBoxButtonsHaveMnemonics_data();
  void messageBoxButtonsHaveMnemonics();
  void conventionalKeysReachTheirCommands();
  void helpAndVersionNeedNoDisplay();
  void commandLineIsAnsweredBeforeTheDisplayIsLookedFor();
  void recentFilesInTheMenuAndTheSettingsFile();
  void droppedDesignOpensOtherFilesAreIgnored();
  void viewsOpenCascaded();
  void defaultFontIsFixedWidthASettingsFontWins();

 private:
  void NewWindow();
  QString Design(const QString& name);

  bool translated_ = false;
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<MainWindow> window_;
};

void DesktopTest::initTestCase() {
  translated_ = kem::gui::InstallQtGermanTranslation(*qApp);
}

void DesktopTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  NewWindow();
}

void DesktopTest::cleanup() {
  // An answer whose dialog never came must not answer one of the next test.
  qDeleteAll(qApp->findChildren<QTimer*>(Qt::FindDirectChildrenOnly));
  window_.reset();
  dir_.reset();
}

void DesktopTest::NewWindow() {
  QVERIFY(kem::test::ShowMainWindowIn(*dir_, window_));
}

QString DesktopTest::Design(const QString& name) {
  const QString path = dir_->filePath(name);
  if (!WriteFile(path, "CHIP test GAL16V8\n"))
    QTest::qFail("design not written", __FILE__, __LINE__);
  return path;
}

void DesktopTest::fileDialogSpeaksGerman() {
  if (!translated_) QSKIP("Qt's German translation is not installed");
  QString title;
  QStringList buttons;
  QString screenshot;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog);
    title = dialog->windowTitle();
    for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
      buttons << button->text().remove(QLatin1Char('&'));
    screenshot = kem::test::SaveScreenshot(dialog, QStringLiteral("file_dialog"));
    dialog->reject();
  });
  window_->frame().HandleCommand(kem::kCmdOpen);
  QCOMPARE(title, QStringLiteral("Datei öffnen"));
  QVERIFY2(buttons.contains(QStringLiteral("Öffnen")), qPrintable(buttons.join(',')));
  QVERIFY2(buttons.contains(QStringLiteral("Abbrechen")), qPrintable(buttons.join(',')));
  QVERIFY(!screenshot.isEmpty());
}

void DesktopTest::goToLineDialogShowsItsWholeCaption() {
  kem::gui::GoToLineDialog dialog(window_.get());
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Neue Zeilennummer"));
  QFont bold = dialog.font();
  bold.setBold(true);
  QVERIFY(QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) <= dialog.width());
  // Room beside the caption for the frame's icon and buttons.
  QVERIFY(dialog.fontMetrics().horizontalAdvance(dialog.windowTitle()) + 100 <= dialog.width());
  for (QWidget* child : dialog.findChildren<QWidget*>()) {
    if (child->isVisible())
      QVERIFY2(child->width() >= child->minimumSizeHint().width(),
               child->metaObject()->className());
  }
  QVERIFY(
      !kem::test::SaveScreenshotWithCaption(&dialog, QStringLiteral("goto_line_dialog")).isEmpty());
}

void DesktopTest::messageBoxButtonsHaveMnemonics_data() {
  QTest::addColumn<int>("buttons");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("modifiers");
  QTest::addColumn<int>("answer");
  const int yes_no = static_cast<int>(kem::BoxButtons::kYesNoCancel);
  const int ok = static_cast<int>(kem::BoxButtons::kOk);
  QTest::newRow("Alt+J") << yes_no << int(Qt::Key_J) << int(Qt::AltModifier)
                         << int(kem::BoxAnswer::kYes);
  QTest::newRow("Alt+N") << yes_no << int(Qt::Key_N) << int(Qt::AltModifier)
                         << int(kem::BoxAnswer::kNo);
  QTest::newRow("Escape") << yes_no << int(Qt::Key_Escape) << int(Qt::NoModifier)
                          << int(kem::BoxAnswer::kCancel);
  QTest::newRow("OK by Escape") << ok << int(Qt::Key_Escape) << int(Qt::NoModifier)
                                << int(kem::BoxAnswer::kOk);
}

void DesktopTest::messageBoxButtonsHaveMnemonics() {
  QFETCH(int, buttons);
  QFETCH(int, key);
  QFETCH(int, modifiers);
  QFETCH(int, answer);
  QStringList texts;
  AnswerNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    QVERIFY(box);
    for (QAbstractButton* button : box->buttons()) texts << button->text();
    // Mnemonics, like all shortcuts, reach the active window only.
    box->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(box));
    // On a busy machine the activation may reach the box's shortcuts after the first key: the
    // key is pressed again while the box stays open, and the box closed if none took it.
    QPointer<QMessageBox> guarded(box);
    for (int attempt = 0; attempt < 20 && guarded && guarded->isVisible(); ++attempt) {
      QTest::keyClick(box, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
      if (guarded && guarded->isVisible()) QTest::qWait(100);
    }
    if (guarded) guarded->close();
  });
  const kem::BoxAnswer given =
      kem::gui::ShowBox(window_.get(), "Datei x wurde verändert. Speichern?",
                        kem::BoxIcon::kQuestion, static_cast<kem::BoxButtons>(buttons));
  QCOMPARE(static_cast<int>(given), answer);
  texts.sort();
  if (buttons == static_cast<int>(kem::BoxButtons::kOk))
    QCOMPARE(texts, QStringList{QStringLiteral("OK")});
  else
    QCOMPARE(texts, (QStringList{"&Ja", "&Nein", "Abbrechen"}));
}

void DesktopTest::conventionalKeysReachTheirCommands() {
  MainWindow& w = *window_;
  // Shortcuts reach the active window only; the offscreen platform does not give the activation
  // back when a dialog closes, as a desktop would.
  const auto activate = [&w] {
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
  };
  // F9 reaches "Compilieren und Fitten" while that is available, and the menu text stays.
  QAction* compile = w.action(kem::kCmdCompileAndFit);
  QCOMPARE(compile->text(), QStringLiteral("&Compilieren und Fitten"));
  QSignalSpy triggered(compile, &QAction::triggered);
  QVERIFY(activate());
  QTest::keyClick(w.editor(), Qt::Key_F9);
  QCOMPARE(triggered.count(), 0);  // grayed at start-up
  compile->setEnabled(true);
  QTest::keyClick(w.editor(), Qt::Key_F9);  // an unnamed document: nothing more happens
  QCOMPARE(triggered.count(), 1);
  // Keys of dialogs: each opens its dialog, which is then cancelled.
  const auto dialog_of_key = [&w, &activate](QKeySequence key) {
    if (!activate()) return QStringLiteral("not active");
    QString seen;
    AnswerNextModal([&seen](QWidget* modal) {
      seen = modal->objectName() + QLatin1Char('|') + modal->windowTitle();
      modal->close();
    });
    QTest::keySequence(w.editor(), key);
    if (!QTest::qWaitFor([&seen] { return !seen.isEmpty(); })) return key.toString();
    return seen;
  };
  QCOMPARE(dialog_of_key(QKeySequence(QStringLiteral("Ctrl+G"))),
           QStringLiteral("NEWLINEBOX|Neue Zeilennummer"));
  QCOMPARE(dialog_of_key(QKeySequence(QStringLiteral("Ctrl+O"))).section('|', 1),
           QStringLiteral("Datei öffnen"));
  QCOMPARE(dialog_of_key(QKeySequence(QStringLiteral("Ctrl+S"))).section('|', 1),
           QStringLiteral("Datei speichern unter..."));
  QTest::keyClicks(w.editor(), "x");
  QCOMPARE(dialog_of_key(QKeySequence(QStringLiteral("Ctrl+N"))), QStringLiteral("|KEMWin RUZI"));
  QVERIFY(w.frame().modified());  // the question was cancelled
  // The modeless find and replace dialogs.
  const auto find_dialog_of_key = [&w, &activate](QKeySequence key) {
    if (!activate()) return QStringLiteral("not active");
    QTest::keySequence(w.editor(), key);
    QDialog* dialog = nullptr;
    if (!QTest::qWaitFor([&] {
          dialog = w.findChild<QDialog*>(QStringLiteral("find"));
          return dialog && dialog->isVisible();
        }))
      return key.toString();
    const QString title = dialog->windowTitle();
    dialog->close();
    if (!QTest::qWaitFor([&w] { return !w.frame().find_dialog_open(); })) return QString();
    return title;
  };
  QCOMPARE(find_dialog_of_key(QKeySequence(QStringLiteral("Ctrl+F"))), QStringLiteral("Suchen"));
  QCOMPARE(find_dialog_of_key(QKeySequence(QStringLiteral("Ctrl+H"))), QStringLiteral("Ersetzen"));
  QCOMPARE(find_dialog_of_key(QKeySequence(Qt::Key_F3)), QStringLiteral("Suchen"));
}

void DesktopTest::helpAndVersionNeedNoDisplay() {
  const QString kemwin = QStringLiteral(KEMWIN_PATH);
  for (const QString& option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
    const ProcessResult help = Run(kemwin, {option}, false);
    QCOMPARE(help.exit_code, 0);
    QVERIFY(help.out.startsWith(QStringLiteral("Aufruf: kemwin [OPTIONEN] [DATEI]\n")));
    QVERIFY(help.out.contains(QStringLiteral("--version")));
    QVERIFY(help.err.isEmpty());
  }
  const ProcessResult version = Run(kemwin, {QStringLiteral("--version")}, false);
  QCOMPARE(version.exit_code, 0);
  const ProcessResult kemc_version = Run(QStringLiteral(KEMC_PATH), {"--version"}, false);
  const QString number = kemc_version.out.trimmed().section(QLatin1Char(' '), -1);
  QVERIFY(!number.isEmpty());
  QCOMPARE(version.out, QStringLiteral("kemwin %1\n").arg(number));

  const ProcessResult wrong = Run(kemwin, {QStringLiteral("--bogus")}, true);
  QCOMPARE(wrong.exit_code, 2);
  QVERIFY2(wrong.err.contains(QStringLiteral("kemwin: unbekannte Option: --bogus\nAufruf:")),
           qPrintable(wrong.err));
}

// Without a display: usage or refusal (2) for a wrong command line, a German message (1) else.
void DesktopTest::commandLineIsAnsweredBeforeTheDisplayIsLookedFor() {
  const QString fifo = dir_->filePath(QStringLiteral("fifo.kem"));
  QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString design = Design(QStringLiteral("a.kem"));
  const QString refused = QStringLiteral("kemwin: Datei %1 konnte nicht geöffnet werden.");
  const QString no_display = QStringLiteral(
      "kemwin: keine grafische Anzeige gefunden (DISPLAY bzw. WAYLAND_DISPLAY ist nicht gesetzt)");
  const std::tuple<QStringList, int, QString> cases[] = {
      {{"-x"}, 2, "kemwin: unbekannte Option: -x"},
      {{"--help=1"}, 2, "kemwin: unbekannte Option: --help=1"},
      {{"-platform", "offscreen", "-reverse", "--bogus"}, 2, "kemwin: unbekannte Option: --bogus"},
      {{"-platform"}, 2, QStringLiteral("kemwin: Wert fehlt: -platform")},
      {{design, design}, 2, "kemwin: nur eine Datei möglich: " + design},
      {{fifo}, 2, refused.arg(fifo)},
      {{dir_->path()}, 2, refused.arg(dir_->path())},
      {{"/dev/null"}, 2, refused.arg("/dev/null")},
      {{}, 1, no_display},
      {{"--platform", "xcb:nograb"}, 1, no_display},
  };
  for (const auto& [arguments, exit_code, first_line] : cases) {
    const ProcessResult r = Run(QStringLiteral(KEMWIN_PATH), arguments, false);
    QVERIFY2(r.exit_code == exit_code && r.err.section('\n', 0, 0) == first_line,
             qPrintable(arguments.join(' ') + ": " + QString::number(r.exit_code) + " " + r.err));
  }
}

void DesktopTest::recentFilesInTheMenuAndTheSettingsFile() {
  const QStringList fixed = FileMenuTexts(*window_);
  const QString a = Design(QStringLiteral("a.kem"));
  const QString b = Design(QStringLiteral("b & c.kem"));
  window_->OpenFile(a);
  window_->OpenFile(b);
  QStringList expected = fixed;
  const qsizetype first_entry = fixed.indexOf(QStringLiteral("&Ende"));
  expected.insert(first_entry, QStringLiteral("-"));
  expected.insert(first_entry, "&2 " + a);
  expected.insert(first_entry, "&1 " + dir_->filePath(QStringLiteral("b && c.kem")));
  QCOMPARE(FileMenuTexts(*window_), expected);

  // Written at the end of the run, read at the start of the next.
  window_->close();
  QVERIFY(ReadFile(dir_->filePath("kem.ini")).contains("KEMWin_Recent2=" + a.toUtf8()));
  NewWindow();
  QCOMPARE(FileMenuTexts(*window_), expected);
  // Choosing the second entry opens it and makes it the first.
  FileMenu(*window_)->actions().at(first_entry + 1)->trigger();
  QCOMPARE(QString::fromStdString(window_->frame().document().name()), a);
  QCOMPARE(window_->editor()->toPlainText(), QStringLiteral("CHIP test GAL16V8\n"));
  QApplication::processEvents();
  QCOMPARE(FileMenuTexts(*window_).at(first_entry), "&1 " + a);
}

void DesktopTest::droppedDesignOpensOtherFilesAreIgnored() {
  MainWindow& w = *window_;
  QWidget* viewport = w.editor()->viewport();
  const QString jed = dir_->filePath(QStringLiteral("a.jed"));
  QVERIFY(WriteFile(jed, "*"));
  QVERIFY(!DropUrls(viewport, {QUrl::fromLocalFile(jed)}));
  QApplication::processEvents();
  QCOMPARE(w.editor()->toPlainText(), QString());  // not pasted as text either

  const QString design = Design(QStringLiteral("dropped.kem"));
  QVERIFY(DropUrls(viewport, {QUrl::fromLocalFile(jed), QUrl::fromLocalFile(design)}));
  QTRY_COMPARE(QString::fromStdString(w.frame().document().name()), design);
  QCOMPARE(w.editor()->toPlainText(), QStringLiteral("CHIP test GAL16V8\n"));

  // Onto the window itself, with a changed text: asked first, as "Öffnen" does.
  QTest::keyClicks(w.editor(), "x");
  const QString other = Design(QStringLiteral("other.kem"));
  QString question;
  AnswerNextModal([&question](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    question = box->text();
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == QStringLiteral("&Nein")) button->click();
    }
  });
  QVERIFY(DropUrls(&w, {QUrl::fromLocalFile(other)}));
  QTRY_COMPARE(QString::fromStdString(w.frame().document().name()), other);
  QVERIFY(question.endsWith(QStringLiteral("wurde verändert. Speichern?")));
}

void DesktopTest::viewsOpenCascaded() {
  MainWindow& w = *window_;
  const kem::FontDescription font = w.frame().font();
  QList<QPoint> positions;
  for (int i = 0; i < 10; ++i) {
    const int kind = i % kem::kViewKinds;
    w.ShowView(kind, "view", "text", font);
    positions << w.viewWindow(kind)->pos();
  }
  const QList<QPoint> expected = {{0, 0},     {24, 24},   {48, 48},   {72, 72}, {96, 96},
                                  {120, 120}, {144, 144}, {168, 168}, {0, 0},   {24, 24}};
  QCOMPARE(positions, expected);
}

void DesktopTest::defaultFontIsFixedWidthASettingsFontWins() {
  MainWindow& w = *window_;
  QVERIFY(kem::gui::HasFixedAdvances(w.editor()->font()));
  w.ShowView(kem::kViewJedec, "view", "text", w.frame().font());
  QVERIFY(kem::gui::HasFixedAdvances(w.viewWindow(kem::kViewJedec)->editor()->font()));

  window_.reset();
  QVERIFY(
      WriteFile(dir_->filePath("kem.ini"),
                "KEMWin_Port=NoLPT\nKEMWinMinLevel=ESPRESSO\nFont_Set=-17 0 0 0 700 0 0 0 0 3 2 1 "
                "34 DejaVu Sans\n"));
  NewWindow();
  QCOMPARE(window_->frame().font().face_name, std::string("DejaVu Sans"));
  QCOMPARE(window_->editor()->font().family(), QStringLiteral("DejaVu Sans"));
  QCOMPARE(window_->editor()->font().pixelSize(), 17);
}

#include "tests/gui/gui_test_class.h"
KEM_GUI_TEST_CLASS(DesktopTest)
#include "desktop_test.moc"
