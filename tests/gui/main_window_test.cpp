#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <span>

#include "common/command_ids.h"
#include "gui/font_conversion.h"
#include "gui/main_window.h"
#include "shell/menu_table.h"
#include "shell/text_encoding.h"
#include "tests/gui/gui_test_files.h"
#include "tests/support/modal_answers.h"
#include "tests/support/window_in_folder.h"

using kem::gui::LogWindow;
using kem::gui::MainWindow;
using kem::gui::ViewWindow;
using kem::test::AnswerNextModal;
using kem::test::ChooseInNextFileDialog;
using kem::test::DialogSeen;

namespace {

using kem::gui_test::kCompileTimeoutMs;
using kem::gui_test::ReadFile;
using kem::gui_test::WriteFile;

struct BoxSeen {
  QString caption;
  QString text;
  QStringList buttons;
};

// Clicks `button` in the next message box, after noting what the box showed.
void ClickInNextBox(const QString& button, BoxSeen* seen,
                    std::function<void()> before_click = nullptr) {
  AnswerNextModal([=](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) {
      modal->close();
      return;
    }
    seen->caption = box->windowTitle();
    seen->text = box->text();
    seen->buttons.clear();
    // The visible texts: a mnemonic's "&" is no part of what the user reads.
    for (QAbstractButton* b : box->buttons()) seen->buttons << kem::test::VisibleText(b);
    if (before_click) before_click();
    for (QAbstractButton* b : box->buttons()) {
      if (kem::test::VisibleText(b) == button) {
        b->click();
        return;
      }
    }
    box->close();
  });
}

QWidget* TopLevel(const QString& object_name) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == object_name && widget->isVisible()) return widget;
  }
  return nullptr;
}

int VisibleTopLevels(const QString& object_name) {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    count += widget->objectName() == object_name && widget->isVisible() ? 1 : 0;
  return count;
}

// A window's picture with a plain caption bar above it, since the offscreen platform draws no
// window frames.
QImage WithCaption(QWidget* window) {
  const QPixmap content = window->grab();
  constexpr int kBar = 22;
  QImage image(content.width(), content.height() + kBar, QImage::Format_RGB32);
  image.fill(QColor(0, 84, 147));
  QPainter painter(&image);
  painter.setPen(Qt::white);
  painter.drawText(QRect(6, 0, content.width() - 6, kBar), Qt::AlignVCenter, window->windowTitle());
  painter.drawPixmap(0, kBar, content);
  return image;
}

QImage Stacked(const QImage& top, const QImage& bottom) {
  QImage image(std::max(top.width(), bottom.width()), top.height() + bottom.height(),
               QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.drawImage(0, 0, top);
  painter.drawImage(0, top.height(), bottom);
  return image;
}

QString Screenshot(const QString& name) {
  return QCoreApplication::applicationDirPath() + QLatin1Char('/') + name;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void startsWithItsWindows();
  void menuTextsAndIds_data();
  void menuTextsAndIds();
  void accelerators_data();
  void accelerators();
  void typingMarksTitleAndStatusLine();
  void editPopupFollowsTheEditor();
  void saveIntoATemporaryFolder();
  void askToSaveAnsweredByTheUser_data();
  void askToSaveAnsweredByTheUser();
  void savedBytesAreTheFilesBytes_data();
  void savedBytesAreTheFilesBytes();
  void compileAndFitThroughTheMenu();
  void closingDuringACompilationWaitsForIt();
  void aboutDialog();
  void fontConversion_data();
  void fontConversion();
  void fontReachesEditorAndLog();
  void cancelledFontDialogKeepsTheFont();
  void minLevelDialog();
  void goToLine_data();
  void goToLine();
  void settingsWrittenOnClose();
  void findAndReplace();
  void programRunsToItsEnd();
  void simulationThroughAFakeLauncher();
  void settingsSurviveARestart();

 private:
  QString Copy(const QString& example);

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<MainWindow> window_;
};

void MainWindowTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  QVERIFY(kem::test::ShowMainWindowIn(*dir_, window_));
}

void MainWindowTest::cleanup() {
  window_.reset();
  dir_.reset();
}

QString MainWindowTest::Copy(const QString& example) {
  return kem::test::CopyExample(*dir_, example);
}

void MainWindowTest::startsWithItsWindows() {
  MainWindow& w = *window_;
  QCOMPARE(w.objectName(), QStringLiteral("ST16"));
  QCOMPARE(w.windowTitle(), QStringLiteral("KEMWin RUZI - (ohne Namen)"));
  QCOMPARE(w.frameGeometry(), QRect(0, 0, 600, 400));
  QCOMPARE(w.editor()->objectName(), QStringLiteral("EDIT_100"));
  QCOMPARE(w.statusLine()->objectName(), QStringLiteral("ZUSATZ_101"));
  QCOMPARE(w.menuBar()->objectName(), QStringLiteral("WIN_EXMenu"));

  // The editor fills the client area but its bottom 16 pixels, where the status line sits.
  for (const QSize size : {QSize(600, 400), QSize(800, 300)}) {
    w.resize(size);
    QApplication::processEvents();
    const QRect client = w.centralWidget()->rect();
    QCOMPARE(w.editor()->geometry(), QRect(0, 0, client.width(), client.height() - 16));
    QCOMPARE(w.statusLine()->geometry(), QRect(0, client.height() - 16, client.width(), 16));
  }
  QCOMPARE(w.statusLine()->Text(), QStringLiteral("Zeile: 1"));
  QVERIFY(w.editor()->hasFocus() || QApplication::focusWidget() == w.editor());

  // The actions show the frame's start-up graying.
  const std::span<const int> grayed = kem::StartUpGrayedItems();
  for (QAction* popup : w.menuBar()->actions()) {
    for (QAction* item : popup->menu()->actions()) {
      if (item->isSeparator()) continue;
      const int id = item->data().toInt();
      QVERIFY2(item->isEnabled() == (std::find(grayed.begin(), grayed.end(), id) == grayed.end()),
               qPrintable(QString::number(id)));
    }
  }
}

void MainWindowTest::menuTextsAndIds_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QStringList>("entries");  // "id text", "-" for a separator
  QTest::newRow("Datei") << "&Datei"
                         << QStringList{"2 &Neu",
                                        "3 Ö&ffnen ...",
                                        "63 &Importieren ...",
                                        "42 &JEDEC-Datei einlesen ...",
                                        "4 &Speichern",
                                        "5 Speichern &unter ...",
                                        "-",
                                        "6 &Druckerausgabe",
                                        "-",
                                        "7 &Ende"};
  QTest::newRow("Editieren") << "&Editieren"
                             << QStringList{"8 &Widerrufen\tALT-Backspace",
                                            "-",
                                            "9 &Ausschneiden\tShift-Del",
                                            "10 &Kopieren\tCtrl-Ins",
                                            "11 &Einfügen\tShift-Ins",
                                            "-",
                                            "12 &Löschen\tDel",
                                            "-",
                                            "13 Alles &markieren",
                                            "-",
                                            "14 &Suchen",
                                            "15 Weitersuc&hen",
                                            "16 E&rsetzen",
                                            "-",
                                            "17 Springe zu &Zeile .."};
  QTest::newRow("Anzeigen") << "&Anzeigen"
                            << QStringList{"22 &Fehler", "24 &Boolesche Gleichungen", "25 &Jedec",
                                           "23 Bele&gung"};
  QTest::newRow("Compilieren") << "&Compilieren"
                               << QStringList{"19 &Compilieren und Fitten", "18 &Nur Compilieren",
                                              "20 Nur Fitten", "21 Minimierungs&option"};
  QTest::newRow("Programmieren") << "&Programmieren" << QStringList{"27 GAL &lesen",
                                                                    "29 GAL &verifizieren",
                                                                    "28 GAL &programmieren",
                                                                    "30 GAL lö&schen",
                                                                    "31 Security &Fuse setzen",
                                                                    "32 Programmer Status &zeigen"};
  QTest::newRow("Simulation") << "&Simulation"
                              << QStringList{"51 &Start Simulation", "62 &Funktionssimulation ..."};
  QTest::newRow("Optionen") << "&Optionen"
                            << QStringList{"35 &Schriftarten", "36 Schnittstelle &konfigurieren"};
  QTest::newRow("Hilfe") << "&Hilfe"
                         << QStringList{"40 &Inhalt", "39 &Suchen", "-", "41 Ü&ber ..."};
}

void MainWindowTest::menuTextsAndIds() {
  QFETCH(QString, title);
  QFETCH(QStringList, entries);
  const QList<QAction*> popups = window_->menuBar()->actions();
  QCOMPARE(popups.size(), 8);
  QAction* popup = nullptr;
  for (QAction* candidate : popups) {
    if (candidate->text() == title) popup = candidate;
  }
  QVERIFY(popup && popup->menu());
  QStringList seen;
  for (QAction* item : popup->menu()->actions())
    seen << (item->isSeparator()
                 ? QStringLiteral("-")
                 : QStringLiteral("%1 %2").arg(item->data().toInt()).arg(item->text()));
  QCOMPARE(seen, entries);
  QCOMPARE(popups.last()->text(), QStringLiteral("&Hilfe"));
}

void MainWindowTest::accelerators_data() {
  QTest::addColumn<QString>("key");
  QTest::addColumn<int>("command");
  QTest::newRow("Ctrl+Z") << "Ctrl+Z" << 8;
  QTest::newRow("Alt+Backspace") << "Alt+Backspace" << 8;
  QTest::newRow("Ctrl+X") << "Ctrl+X" << 9;
  QTest::newRow("Shift+Del") << "Shift+Del" << 9;
  QTest::newRow("Ctrl+C") << "Ctrl+C" << 10;
  QTest::newRow("Ctrl+Ins") << "Ctrl+Ins" << 10;
  QTest::newRow("Ctrl+V") << "Ctrl+V" << 11;
  QTest::newRow("Shift+Ins") << "Shift+Ins" << 11;
  QTest::newRow("F1") << "F1" << 38;
}

void MainWindowTest::accelerators() {
  QFETCH(QString, key);
  QFETCH(int, command);
  QAction* action = window_->action(command);
  QVERIFY(action);
  QVERIFY(action->shortcuts().contains(QKeySequence(key)));
  if (command == kem::kCmdHelpIndex) {
    // F1 has no menu item but reaches the frame all the same.
    QSignalSpy triggered(action, &QAction::triggered);
    QTest::keyClick(window_.get(), Qt::Key_F1);
    QCOMPARE(triggered.count(), 1);
  }
}

// Keys typed into the editor reach the frame, whose answer shows in the title, the menu and the
// status line.
void MainWindowTest::typingMarksTitleAndStatusLine() {
  MainWindow& w = *window_;
  QTest::keyClicks(w.editor(), "CHIP");
  QTest::keyClick(w.editor(), Qt::Key_Return);
  QTest::keyClicks(w.editor(), "x");
  QCOMPARE(w.windowTitle(), QStringLiteral("KEMWin RUZI -  *"));
  QVERIFY(w.action(kem::kCmdCompileOnly)->isEnabled());
  QCOMPARE(w.statusLine()->Text(), QStringLiteral("Zeile: 2"));
  QCOMPARE(QString::fromStdString(w.EditorText()), QStringLiteral("CHIP\nx"));
}

void MainWindowTest::editPopupFollowsTheEditor() {
  MainWindow& w = *window_;
  QMenu* edit = w.menuBar()->actions().at(kem::kEditPopupIndex)->menu();
  QApplication::clipboard()->clear();
  emit edit->aboutToShow();
  for (int id : {8, 9, 10, 11, 12}) QVERIFY(!w.action(id)->isEnabled());
  QTest::keyClicks(w.editor(), "ab");
  w.editor()->selectAll();
  QApplication::clipboard()->setText(QStringLiteral("x"));
  emit edit->aboutToShow();
  for (int id : {8, 9, 10, 11, 12, 13, 14, 15, 16, 17}) QVERIFY(w.action(id)->isEnabled());
  w.action(kem::kCmdDelete)->trigger();
  QCOMPARE(w.editor()->toPlainText(), QString());
  w.action(kem::kCmdUndo)->trigger();
  QCOMPARE(w.editor()->toPlainText(), QStringLiteral("ab"));
}

void MainWindowTest::saveIntoATemporaryFolder() {
  MainWindow& w = *window_;
  const QString file = dir_->filePath("neu.kem");
  QTest::keyClicks(w.editor(), "erster");
  DialogSeen seen;
  ChooseInNextFileDialog(file, &seen);
  w.action(kem::kCmdSave)->trigger();
  QCOMPARE(seen.title, QStringLiteral("Datei speichern unter..."));
  QCOMPARE(seen.filters, QStringList{"(*.kem) (*.kem*)"});
  QCOMPARE(seen.suffix, QStringLiteral("kem"));
  QCOMPARE(ReadFile(file), QByteArray("erster"));
  QCOMPARE(w.windowTitle(), "KEMWin RUZI - " + file);
}

void MainWindowTest::askToSaveAnsweredByTheUser_data() {
  QTest::addColumn<QString>("answer");
  QTest::addColumn<QString>("text_after");
  // A save that does not happen keeps the text: the command that asked stops.
  QTest::newRow("Ja, then the save dialog cancelled") << "Ja"
                                                      << "x";
  QTest::newRow("Nein") << "Nein"
                        << "";
  QTest::newRow("Abbrechen") << "Abbrechen"
                             << "x";
}

void MainWindowTest::askToSaveAnsweredByTheUser() {
  QFETCH(QString, answer);
  QFETCH(QString, text_after);
  MainWindow& w = *window_;
  QTest::keyClicks(w.editor(), "x");
  BoxSeen seen;
  ClickInNextBox(answer, &seen, [&] {
    if (answer == "Ja") ChooseInNextFileDialog(QString());
  });
  w.action(kem::kCmdNew)->trigger();
  QCOMPARE(seen.caption, QStringLiteral("KEMWin RUZI"));
  QCOMPARE(seen.text, QStringLiteral("Datei (ohne Namen) wurde verändert. Speichern?"));
  seen.buttons.sort();
  QCOMPARE(seen.buttons, (QStringList{"Abbrechen", "Ja", "Nein"}));
  QCOMPARE(w.editor()->toPlainText(), text_after);
}

void MainWindowTest::savedBytesAreTheFilesBytes_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QByteArray>("after_typing");  // "!" typed at the end
  QTest::newRow("UTF-8") << QByteArray("CHIP a GAL16V8\n// gr\xC3\xBCn\n")
                         << QByteArray("CHIP a GAL16V8\n// gr\xC3\xBCn\n!");
  QTest::newRow("Windows-1252, CR LF, no-break space")
      << QByteArray("CHIP a GAL16V8\r\n// gr\xFCn\xA0\x80\r\n")
      << QByteArray("CHIP a GAL16V8\r\n// gr\xFCn\xA0\x80\r\n!");
  QTest::newRow("lone CR") << QByteArray("a\rb\n") << QByteArray("a\nb\n!");
}

void MainWindowTest::savedBytesAreTheFilesBytes() {
  QFETCH(QByteArray, bytes);
  QFETCH(QByteArray, after_typing);
  MainWindow& w = *window_;
  const QString file = dir_->filePath("design.kem");
  QVERIFY(WriteFile(file, bytes));
  w.OpenFile(file);
  QCOMPARE(w.windowTitle(), "KEMWin RUZI - " + file);
  QVERIFY(!w.frame().modified());
  w.action(kem::kCmdSave)->trigger();
  QCOMPARE(ReadFile(file), bytes);
  w.editor()->moveCursor(QTextCursor::End);
  QTest::keyClicks(w.editor(), "!");
  w.action(kem::kCmdSave)->trigger();
  QCOMPARE(ReadFile(file), after_typing);
}

void MainWindowTest::compileAndFitThroughTheMenu() {
  MainWindow& w = *window_;
  const QString source = Copy("ampel.kem");
  DialogSeen open;
  ChooseInNextFileDialog(source, &open);
  w.action(kem::kCmdOpen)->trigger();
  QCOMPARE(open.title, QStringLiteral("Datei öffnen"));
  QCOMPARE(open.filters, (QStringList{"(*.gal*, *.kem*, *.mds*) (*.gal* *.kem* *.mds*)",
                                      "(*.jed*) (*.jed*)", "(*.*) (*.*)"}));
  QCOMPARE(w.windowTitle(), "KEMWin RUZI - " + source);

  w.action(kem::kCmdCompileAndFit)->trigger();
  QVERIFY(w.logWindow());
  QTRY_VERIFY_WITH_TIMEOUT(!w.compiling() && !w.frame().compiling(), kCompileTimeoutMs);

  LogWindow* log = w.logWindow();
  QCOMPARE(log->objectName(), QStringLiteral("rahmen"));
  QCOMPARE(log->windowTitle(), QStringLiteral("LOG"));
  QCOMPARE(log->frameGeometry(), QRect(0, 400, 600, 80));
  QCOMPARE(log->list()->font().family(), w.editor()->font().family());
  // The list shows every line the worker logged, in order, the last one selected.
  const QStringList lines = log->Lines();
  QStringList logged;
  for (const std::string& line : w.frame().log().lines()) logged << QString::fromStdString(line);
  QCOMPARE(lines, logged);
  QCOMPARE(lines.first(), QStringLiteral("Text wird compiliert"));
  QCOMPARE(lines.last(), QStringLiteral("Fitterdurchgang erfolgreich beendet"));
  QCOMPARE(log->list()->currentRow(), lines.size() - 1);
  for (int id : {18, 19, 20, 21, 22, 24, 25, 51})
    QVERIFY2(w.action(id)->isEnabled(), qPrintable(QString::number(id)));
  QVERIFY(!w.frame().compile_needed());
  Stacked(WithCaption(&w), WithCaption(log)).save(Screenshot("kemwin-compiled.png"));

  // Fit only, on this thread: one more result line in the same log.
  w.action(kem::kCmdFitOnly)->trigger();
  QCOMPARE(log->Lines().size(), lines.size() + 1);
  QCOMPARE(log->Lines().last(), QStringLiteral("Fitterdurchgang erfolgreich beendet"));

  // The views: the listing and the JEDEC file show their files; the error file is empty.
  const QString stem = dir_->filePath("ampel.");
  w.action(kem::kCmdViewEquations)->trigger();
  w.action(kem::kCmdViewJedec)->trigger();
  BoxSeen box;
  ClickInNextBox("OK", &box);
  w.action(kem::kCmdViewErrors)->trigger();
  QCOMPARE(box.text, "Datei " + stem + "ERR ist leer");
  QVERIFY(!w.viewWindow(kem::kViewErrors));
  for (const auto& [kind, extension] :
       {std::pair{kem::kViewEquations, "mds"}, std::pair{kem::kViewJedec, "jed"}}) {
    ViewWindow* view = w.viewWindow(kind);
    QVERIFY(view);
    QCOMPARE(view->objectName(), QStringLiteral("anzeigen"));
    QCOMPARE(view->windowTitle(), stem + extension);
    QCOMPARE(view->frameGeometry().size(), QSize(500, 300));  // placed in a cascade
    QCOMPARE(view->editor()->objectName(), QStringLiteral("EDIT_200"));
    const QByteArray bytes = ReadFile(stem + extension);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(view->editor()->toPlainText(),
             QString::fromStdString(kem::DecodeText(bytes.toStdString()).text));
  }
  w.action(kem::kCmdViewEquations)->trigger();  // again: still one view of the listing
  QCOMPARE(VisibleTopLevels("anzeigen"), 2);
  WithCaption(w.viewWindow(kem::kViewEquations)).save(Screenshot("kemwin-view.png"));

  // Closed, the log comes back empty with the next compilation.
  log->close();
  QTRY_VERIFY(!w.logWindow());
  w.action(kem::kCmdCompileOnly)->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(!w.compiling() && !w.frame().compiling(), kCompileTimeoutMs);
  QVERIFY(w.logWindow());
  QCOMPARE(w.logWindow()->Lines().count(QStringLiteral("Text wird compiliert")), 1);
  QCOMPARE(TopLevel("rahmen"), w.logWindow());
}

void MainWindowTest::closingDuringACompilationWaitsForIt() {
  MainWindow& w = *window_;
  w.OpenFile(Copy("ampel.kem"));
  QSignalSpy ended(&w, &MainWindow::programEnded);
  w.action(kem::kCmdCompileOnly)->trigger();
  // The worker waits for this thread to take its first line, so it cannot have ended yet.
  QVERIFY(!w.close());
  QVERIFY(w.isVisible());
  QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), kCompileTimeoutMs);
  QCOMPARE(ended.count(), 1);
  QCOMPARE(QString::fromStdString(w.frame().log().lines().back()),
           QStringLiteral("Compilevorgang beendet, Warnungen: 0, Fehler: 0."));
  QVERIFY(QFile::exists(dir_->filePath("ampel.boo")));
}

void MainWindowTest::aboutDialog() {
  QStringList texts;
  QString title;
  AnswerNextModal([&](QWidget* modal) {
    title = modal->windowTitle();
    for (QLabel* label : modal->findChildren<QLabel*>()) texts << label->text();
    const QList<QPushButton*> buttons = modal->findChildren<QPushButton*>();
    if (!buttons.isEmpty()) buttons.first()->click();
  });
  window_->action(kem::kCmdAbout)->trigger();
  QCOMPARE(title, QStringLiteral("KEMWin RUZI"));
  QVERIFY(texts.contains(QStringLiteral("KEMWin RUZI")));
  QVERIFY(texts.contains(
      QStringLiteral("Unterstützte Bausteine: GAL16V8, GAL20V8, GAL22V10, ispGAL22V10")));
  QVERIFY(!QApplication::activeModalWidget());
}

void MainWindowTest::fontConversion_data() {
  QTest::addColumn<QString>("face");
  QTest::addColumn<int>("height");
  QTest::addColumn<int>("weight");
  QTest::addColumn<bool>("italic");
  QTest::addColumn<bool>("underline");
  QTest::addColumn<bool>("strike_out");
  QTest::addColumn<bool>("fixed");
  QTest::newRow("mono") << "DejaVu Sans Mono" << -13 << 400 << false << false << false << true;
  QTest::newRow("bold italic") << "DejaVu Sans" << -20 << 700 << true << false << false << false;
  QTest::newRow("effects") << "DejaVu Serif" << -9 << 400 << false << true << true << false;
}

void MainWindowTest::fontConversion() {
  QFETCH(QString, face);
  QFETCH(int, height);
  QFETCH(int, weight);
  QFETCH(bool, italic);
  QFETCH(bool, underline);
  QFETCH(bool, strike_out);
  QFETCH(bool, fixed);
  kem::FontDescription description;
  description.face_name = face.toStdString();
  description.height = height;
  description.weight = weight;
  description.italic = italic;
  description.underline = underline;
  description.strike_out = strike_out;
  description.char_set = 238;  // carried through, though Qt has no use for it
  const QFont font = kem::gui::ToQFont(description);
  QCOMPARE(font.family(), face);
  QCOMPARE(font.pixelSize(), -height);
  const kem::FontDescription back = kem::gui::FromQFont(font, description);
  QCOMPARE(QString::fromStdString(back.face_name), face);
  QCOMPARE(back.height, height);
  QCOMPARE(back.weight, weight);
  QCOMPARE(back.italic != 0, italic);
  QCOMPARE(back.underline != 0, underline);
  QCOMPARE(back.strike_out != 0, strike_out);
  QCOMPARE((back.pitch_and_family & 3) == 1, fixed);
  QCOMPARE(back.char_set, 238);
}

// Applied, the editor and the log list take the font, and the line height is measured from it.
void MainWindowTest::fontReachesEditorAndLog() {
  kem::FontDescription description;
  description.face_name = "DejaVu Sans Mono";
  description.height = -13;
  description.weight = 400;
  MainWindow& w = *window_;
  w.OpenFile(Copy("ampel.kem"));
  w.action(kem::kCmdCompileOnly)->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(!w.compiling() && !w.frame().compiling(), kCompileTimeoutMs);
  const int line_height = w.ApplyEditorFont(description);
  QCOMPARE(w.editor()->font().family(), QStringLiteral("DejaVu Sans Mono"));
  QCOMPARE(w.logWindow()->list()->font().family(), QStringLiteral("DejaVu Sans Mono"));
  QCOMPARE(line_height, QFontMetrics(kem::gui::ToQFont(description)).lineSpacing());
}

void MainWindowTest::cancelledFontDialogKeepsTheFont() {
  MainWindow& w = *window_;
  const QFont before = w.editor()->font();
  bool was_font_dialog = false;
  AnswerNextModal([&](QWidget* modal) {
    was_font_dialog = qobject_cast<QFontDialog*>(modal) != nullptr;
    modal->close();
  });
  w.action(kem::kCmdFonts)->trigger();
  QVERIFY(was_font_dialog);
  QCOMPARE(w.editor()->font().family(), before.family());
  QCOMPARE(QFontInfo(w.editor()->font()).pixelSize(), QFontInfo(before).pixelSize());
}

void MainWindowTest::minLevelDialog() {
  MainWindow& w = *window_;
  QCOMPARE(w.frame().minimization_level(), 2);
  QStringList radios;
  QString checked, group, object_name, label;
  AnswerNextModal([&](QWidget* modal) {
    object_name = modal->objectName();
    label = modal->findChild<QLabel*>()->text();
    group = modal->findChild<QGroupBox*>()->title();
    for (QRadioButton* radio : modal->findChildren<QRadioButton*>()) {
      radios << radio->objectName() + QLatin1Char(' ') + radio->text();
      if (radio->isChecked()) checked = radio->objectName();
    }
    modal->findChild<QRadioButton*>(QStringLiteral("221"))->click();
    modal->findChild<QPushButton*>(QStringLiteral("1"))->click();
  });
  w.action(kem::kCmdMinimizationOption)->trigger();
  QCOMPARE(object_name, QStringLiteral("MINBOX"));
  QCOMPARE(group, QStringLiteral("&Minimierung"));
  QCOMPARE(label, QStringLiteral("Eingestellter Minimierungslevel"));
  QCOMPARE(radios, (QStringList{QStringLiteral("221 &Keine"), QStringLiteral("222 &Komplett"),
                                QStringLiteral("223 &Espresso"), QStringLiteral("224 M&inimal")}));
  QCOMPARE(checked, QStringLiteral("223"));
  QCOMPARE(w.frame().minimization_level(), 0);

  // "Abbruch" keeps the level, whatever was clicked.
  QString cancel_text;
  AnswerNextModal([&](QWidget* modal) {
    QCOMPARE(modal->findChild<QRadioButton*>(QStringLiteral("221"))->isChecked(), true);
    modal->findChild<QRadioButton*>(QStringLiteral("222"))->click();
    QPushButton* cancel = modal->findChild<QPushButton*>(QStringLiteral("2"));
    cancel_text = cancel->text();
    cancel->click();
  });
  w.action(kem::kCmdMinimizationOption)->trigger();
  QCOMPARE(cancel_text, QStringLiteral("Abbruch"));
  QCOMPARE(w.frame().minimization_level(), 0);
  QVERIFY(!QApplication::activeModalWidget());
}

void MainWindowTest::goToLine_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<bool>("ok");
  QTest::addColumn<int>("caret_line");
  QTest::newRow("digits only, four taken") << "12ab34567" << true << 1233;
  QTest::newRow("last line, below the top") << "2000" << true << 1999;
  QTest::newRow("Abbruch") << "5" << false << 7;
}

void MainWindowTest::goToLine() {
  QFETCH(QString, typed);
  QFETCH(bool, ok);
  QFETCH(int, caret_line);
  MainWindow& w = *window_;
  QString text;
  for (int i = 1; i <= 2000; ++i) text += QStringLiteral("Zeile %1\n").arg(i);
  text.chop(1);
  w.editor()->setPlainText(text);
  QTextCursor cursor(w.editor()->document()->findBlockByNumber(7));
  w.editor()->setTextCursor(cursor);
  QString caption, field_text, label;
  AnswerNextModal([&](QWidget* modal) {
    caption = modal->windowTitle();
    label = modal->findChild<QLabel*>()->text();
    auto* field = modal->findChild<QLineEdit*>(QStringLiteral("230"));
    QTest::keyClicks(field, typed);
    field_text = field->text();
    modal->findChild<QPushButton*>(ok ? QStringLiteral("1") : QStringLiteral("2"))->click();
  });
  w.action(kem::kCmdGoToLine)->trigger();
  QCOMPARE(caption, QStringLiteral("Neue Zeilennummer"));
  QCOMPARE(label, QStringLiteral("Zeile:"));
  // A line far enough from the end becomes the first visible one.
  if (ok && caret_line > 7 && caret_line < 1900)
    QCOMPARE(w.editor()->cursorForPosition(QPoint(0, 0)).blockNumber(), caret_line);
  QVERIFY(field_text.size() <= 4);
  QCOMPARE(w.editor()->textCursor().blockNumber(), caret_line);
  QCOMPARE(w.editor()->textCursor().positionInBlock(), 0);
  QCOMPARE(w.statusLine()->Text(), QStringLiteral("Zeile: %1").arg(caret_line + 1));
}

void MainWindowTest::settingsWrittenOnClose() {
  MainWindow& w = *window_;
  AnswerNextModal([](QWidget* modal) {
    modal->findChild<QRadioButton*>(QStringLiteral("222"))->click();
    modal->findChild<QPushButton*>(QStringLiteral("1"))->click();
  });
  w.action(kem::kCmdMinimizationOption)->trigger();
  w.close();
  const QByteArray ini = ReadFile(dir_->filePath(QStringLiteral("kem.ini")));
  QVERIFY2(ini.startsWith("KEMWin_Port=NoLPT\nKEMWinMinLevel=STRONGMIN\nFont_Set="), ini);
  QCOMPARE(ini.count('\n'), 3);
}

void MainWindowTest::findAndReplace() {
  MainWindow& w = *window_;
  w.editor()->setPlainText(QStringLiteral("xäbcäbc\näbc"));
  w.action(kem::kCmdReplace)->trigger();
  auto* dialog = w.findChild<QDialog*>(QStringLiteral("find"));
  QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
  QVERIFY(w.frame().find_dialog_open());
  dialog->findChild<QLineEdit*>(QStringLiteral("findText"))->setText(QStringLiteral("äbc"));
  dialog->findChild<QLineEdit*>(QStringLiteral("replaceText"))->setText(QStringLiteral("Z"));

  // Character positions of the editor and byte offsets of the frame meet in the selection.
  dialog->findChild<QPushButton*>(QStringLiteral("findNext"))->click();
  QCOMPARE(w.editor()->textCursor().selectionStart(), 1);
  QCOMPARE(w.editor()->textCursor().selectionEnd(), 4);
  dialog->findChild<QPushButton*>(QStringLiteral("replaceOne"))->click();
  QCOMPARE(w.editor()->toPlainText(), QStringLiteral("xZäbc\näbc"));
  // The search goes on from where the match ended, which the shorter replacement moved past the
  // second "äbc".
  dialog->findChild<QPushButton*>(QStringLiteral("replaceAll"))->click();
  QCOMPARE(w.editor()->toPlainText(), QStringLiteral("xZäbc\nZ"));
  QVERIFY(w.windowTitle().endsWith(QStringLiteral(" *")));

  BoxSeen seen;
  ClickInNextBox(QStringLiteral("OK"), &seen);
  dialog->findChild<QPushButton*>(QStringLiteral("findNext"))->click();
  QCOMPARE(seen.text, QStringLiteral("Text nicht gefunden!"));
  QCOMPARE(seen.caption, QStringLiteral("KEMWin RUZI"));

  dialog->findChild<QPushButton*>(QStringLiteral("close"))->click();
  QTRY_VERIFY(!w.findChild<QDialog*>(QStringLiteral("find")));
  QVERIFY(!w.frame().find_dialog_open());
  w.action(kem::kCmdFind)->trigger();
  dialog = w.findChild<QDialog*>(QStringLiteral("find"));
  QVERIFY(dialog);
  QCOMPARE(dialog->findChild<QLineEdit*>(QStringLiteral("findText"))->text(),
           QStringLiteral("äbc"));
  QVERIFY(!dialog->findChild<QLineEdit*>(QStringLiteral("replaceText")));
  dialog->close();
  QVERIFY(!w.frame().find_dialog_open());
}

void MainWindowTest::programRunsToItsEnd() {
  MainWindow& w = *window_;
  const std::optional<std::string> shell = w.FindProgram("sh");
  QVERIFY(shell);
  QVERIFY(!w.FindProgram("kem-no-such-program"));
  // The arguments arrive one by one, spaces included.
  const std::string marker =
      QFile::encodeName(dir_->filePath(QStringLiteral("ran x"))).toStdString();
  w.RunProgramAndWait(*shell, {"-c", "sleep 0.2; echo \"$1\" > \"$0\"", marker, "a b"});
  QCOMPARE(ReadFile(QFile::decodeName(marker.c_str())), QByteArray("a b\n"));
  w.RunProgramAndWait("/kem/no/such/program", {});  // not started: back at once
}

void MainWindowTest::simulationThroughAFakeLauncher() {
  MainWindow& w = *window_;
  // A design in a folder with a space, compiled cleanly first.
  QDir(dir_->path()).mkdir(QStringLiteral("mit Leer"));
  const QString source = dir_->filePath(QStringLiteral("mit Leer/ampel.kem"));
  QFile::copy(QStringLiteral(EXAMPLES_DIR "/ampel.kem"), source);
  ChooseInNextFileDialog(source);
  w.action(kem::kCmdOpen)->trigger();
  w.action(kem::kCmdCompileOnly)->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(!w.compiling() && !w.frame().compiling(), kCompileTimeoutMs);

  // A launcher named like the real one, first on PATH, that records its arguments.
  const QString bin = dir_->filePath(QStringLiteral("bin"));
  QDir().mkpath(bin);
  const QString record = dir_->filePath(QStringLiteral("arguments"));
  QFile launcher(bin + QStringLiteral("/java"));
  QVERIFY(launcher.open(QIODevice::WriteOnly));
  launcher.write("#!/bin/sh\nsleep 0.3\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"" +
                 QFile::encodeName(record) + "\"\n");
  launcher.close();
  launcher.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(bin) + ":" + path);

  const QString plugin = dir_->filePath(QStringLiteral("voruzo.jar"));
  QFile(plugin).open(QIODevice::WriteOnly);
  w.action(kem::kCmdStartSimulation)->trigger();  // returns only when the launcher has ended
  qputenv("PATH", path);
  const QString intermediate = dir_->filePath(QStringLiteral("mit Leer/ampel.boo"));
  QCOMPARE(QString::fromUtf8(ReadFile(record)), QStringLiteral("-jar\n") + plugin +
                                                    QStringLiteral("\n") + intermediate +
                                                    QStringLiteral("\n"));
}

void MainWindowTest::settingsSurviveARestart() {
  // No kem.ini at the start: level 2 and the default font.
  QVERIFY(!QFile::exists(dir_->filePath(QStringLiteral("kem.ini"))));
  MainWindow& w = *window_;
  AnswerNextModal([](QWidget* modal) {
    modal->findChild<QRadioButton*>(QStringLiteral("221"))->click();
    modal->findChild<QPushButton*>(QStringLiteral("1"))->click();
  });
  w.action(kem::kCmdMinimizationOption)->trigger();
  QFont chosen = w.editor()->font();
  chosen.setPixelSize(QFontInfo(chosen).pixelSize() + 5);
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFontDialog*>(modal);
    QVERIFY(dialog);
    dialog->setCurrentFont(chosen);
    dialog->accept();
  });
  w.action(kem::kCmdFonts)->trigger();
  const int pixel_size = QFontInfo(w.editor()->font()).pixelSize();
  const QString family = w.editor()->font().family();

  w.action(kem::kCmdExit)->trigger();  // "&Ende"
  window_.reset();
  const QByteArray ini = ReadFile(dir_->filePath(QStringLiteral("kem.ini")));
  QVERIFY2(ini.startsWith("KEMWin_Port=NoLPT\nKEMWinMinLevel=NOMIN\nFont_Set="), ini);
  QCOMPARE(ini.count('\n'), 3);

  window_ = std::make_unique<MainWindow>(dir_->path());
  QCOMPARE(window_->frame().minimization_level(), 0);
  QCOMPARE(window_->editor()->font().family(), family);
  QCOMPARE(QFontInfo(window_->editor()->font()).pixelSize(), pixel_size);
}

#include "tests/gui/gui_test_class.h"
KEM_GUI_TEST_CLASS(MainWindowTest)
#include "main_window_test.moc"
