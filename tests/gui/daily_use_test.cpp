// The IDE under the hands of someone using it all day: typing while it is busy, the shortcuts of
// the edit commands, and where its windows appear and the keyboard focus stays.
#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "common/command_ids.h"
#include "gui/frame_geometry.h"
#include "gui/main_window.h"
#include "shell/menu_table.h"
#include "tests/gui/gui_test_files.h"
#include "tests/support/modal_answers.h"
#include "tests/support/window_in_folder.h"

using kem::gui::MainWindow;
using kem::test::ClickInNextBox;

namespace {

using kem::gui_test::kCompileTimeoutMs;
using kem::gui_test::ReadFile;
using kem::gui_test::WriteFile;

}  // namespace

class DailyUseTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void editsWhileACloseWaitsForTheCompilationAreAskedFor_data();
  void editsWhileACloseWaitsForTheCompilationAreAskedFor();
  void editItemsFollowTheEditorForShortcutsAndMenu();
  void typingWhileTheSimulatorRunsIsDiscarded();
  void clientRectOfAFrame_data();
  void clientRectOfAFrame();
  void windowsArePlacedByTheirFrames();
  void firstCompilationLeavesTheFocusInTheEditor();

 private:
  QString OpenExample(const QString& example);
  void Compile();

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<MainWindow> window_;
};

void DailyUseTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  QVERIFY(kem::test::ShowMainWindowIn(*dir_, window_));
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void DailyUseTest::cleanup() {
  window_.reset();
  dir_.reset();
}

QString DailyUseTest::OpenExample(const QString& example) {
  const QString target = kem::test::CopyExample(*dir_, example);
  window_->OpenFile(target);
  return target;
}

void DailyUseTest::Compile() {
  window_->action(kem::kCmdCompileOnly)->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(!window_->compiling() && !window_->frame().compiling(),
                           kCompileTimeoutMs);
}

void DailyUseTest::editsWhileACloseWaitsForTheCompilationAreAskedFor_data() {
  QTest::addColumn<QString>("answer");
  QTest::newRow("Ja: saved, then closed") << "Ja";
  QTest::newRow("Abbrechen: stays open") << "Abbrechen";
}

void DailyUseTest::editsWhileACloseWaitsForTheCompilationAreAskedFor() {
  QFETCH(QString, answer);
  MainWindow& w = *window_;
  const QString file = OpenExample(QStringLiteral("ampel.kem"));
  QSignalSpy ended(&w, &MainWindow::programEnded);
  w.action(kem::kCmdCompileOnly)->trigger();
  // The compilation's end reaches this thread as an event; until events are handled it runs.
  QVERIFY(!w.close());
  QVERIFY(w.compiling());
  QVERIFY2(w.statusLine()->Text().contains(QStringLiteral("Schließen nach dem Compilieren")),
           qPrintable(w.statusLine()->Text()));

  w.editor()->moveCursor(QTextCursor::End);
  QTest::keyClick(w.editor(), Qt::Key_Return);
  QTest::keyClicks(w.editor(), QStringLiteral("// noch getippt"));
  QVERIFY(w.compiling());

  QString question;
  ClickInNextBox(answer, &question);
  QTRY_VERIFY_WITH_TIMEOUT(!w.compiling() && !w.frame().compiling(), kCompileTimeoutMs);
  QTRY_VERIFY(!question.isEmpty());
  QCOMPARE(question, QStringLiteral("Datei %1 wurde verändert. Speichern?").arg(file));
  if (answer == QStringLiteral("Ja")) {
    QTRY_COMPARE(ended.count(), 1);
    QVERIFY(!w.isVisible());
    QVERIFY(ReadFile(file).endsWith("\n// noch getippt"));
  } else {
    QCOMPARE(ended.count(), 0);
    QVERIFY(w.isVisible());
    QVERIFY(w.editor()->toPlainText().endsWith(QStringLiteral("\n// noch getippt")));
    QVERIFY(!ReadFile(file).endsWith("\n// noch getippt"));
    QCOMPARE(w.statusLine()->Text(),
             QStringLiteral("Zeile: %1").arg(w.editor()->textCursor().blockNumber() + 1));
  }
}

void DailyUseTest::editItemsFollowTheEditorForShortcutsAndMenu() {
  MainWindow& w = *window_;
  QMenu* edit = w.menuBar()->actions().at(kem::kEditPopupIndex)->menu();
  // The menu opened while there is nothing to undo or to cut.
  emit edit->aboutToShow();
  for (int id : {kem::kCmdUndo, kem::kCmdCut, kem::kCmdCopy, kem::kCmdDelete})
    QVERIFY(!w.action(id)->isEnabled());

  QTest::keyClicks(w.editor(), QStringLiteral("abc"));
  QVERIFY(w.action(kem::kCmdUndo)->isEnabled());
  QTest::keyClick(w.editor(), Qt::Key_Backspace, Qt::AltModifier);
  QCOMPARE(w.editor()->toPlainText(), QString());
  QVERIFY(!w.action(kem::kCmdUndo)->isEnabled());

  QTest::keyClicks(w.editor(), QStringLiteral("xyz"));
  QTest::keyClick(w.editor(), Qt::Key_Left, Qt::ShiftModifier);
  for (int id : {kem::kCmdCut, kem::kCmdCopy, kem::kCmdDelete})
    QVERIFY2(w.action(id)->isEnabled(), qPrintable(QString::number(id)));
  QApplication::clipboard()->clear();
  w.action(kem::kCmdCut)->trigger();
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("z"));
  for (int id : {kem::kCmdCut, kem::kCmdCopy, kem::kCmdDelete})
    QVERIFY2(!w.action(id)->isEnabled(), qPrintable(QString::number(id)));
  QCOMPARE(w.editor()->toPlainText(), QStringLiteral("xy"));
}

void DailyUseTest::typingWhileTheSimulatorRunsIsDiscarded() {
  MainWindow& w = *window_;
  OpenExample(QStringLiteral("ampel.kem"));
  Compile();
  QVERIFY(WriteFile(dir_->filePath(QStringLiteral("voruzo.jar")), QByteArray()));

  // A simulator that runs until the test lets it end.
  const QString bin = dir_->filePath(QStringLiteral("bin"));
  QVERIFY(QDir().mkpath(bin));
  const QString release = dir_->filePath(QStringLiteral("release"));
  const QString launcher = bin + QStringLiteral("/java");
  QVERIFY(WriteFile(launcher, "#!/bin/sh\ni=0\nwhile [ ! -e \"" + QFile::encodeName(release) +
                                  "\" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done\n"));
  QFile::setPermissions(launcher,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(bin) + ":" + path);

  const QString before = w.editor()->toPlainText();
  w.editor()->moveCursor(QTextCursor::Start);
  bool typed = false;
  QTimer::singleShot(100, &w, [&] {
    QTest::keyClicks(w.editor(), QStringLiteral("xyz"));
    QTest::keyClick(w.editor(), Qt::Key_Return);
    QTest::keyClick(w.editor(), Qt::Key_Backspace, Qt::AltModifier);
    typed = true;
    WriteFile(release, QByteArray());
  });
  w.action(kem::kCmdStartSimulation)->trigger();  // returns when the simulator has ended
  qputenv("PATH", path);
  QVERIFY(typed);
  QTest::qWait(50);
  QCOMPARE(w.editor()->toPlainText(), before);
  QVERIFY(!w.frame().modified());

  // Afterwards the editor takes input again.
  QTest::keyClicks(w.editor(), QStringLiteral("x"));
  QVERIFY(w.frame().modified());
}

void DailyUseTest::clientRectOfAFrame_data() {
  QTest::addColumn<QRect>("frame");
  QTest::addColumn<QMargins>("margins");
  QTest::addColumn<QRect>("client");
  QTest::newRow("no frame") << QRect(0, 400, 600, 80) << QMargins() << QRect(0, 400, 600, 80);
  QTest::newRow("caption and borders")
      << QRect(0, 400, 600, 80) << QMargins(4, 30, 4, 4) << QRect(4, 430, 592, 46);
  QTest::newRow("frame smaller than its margins")
      << QRect(10, 10, 6, 20) << QMargins(4, 30, 4, 4) << QRect(14, 40, 0, 0);
}

void DailyUseTest::clientRectOfAFrame() {
  QFETCH(QRect, frame);
  QFETCH(QMargins, margins);
  QFETCH(QRect, client);
  QCOMPARE(kem::gui::ClientRectForFrame(frame, margins), client);
}

void DailyUseTest::windowsArePlacedByTheirFrames() {
  MainWindow& w = *window_;
  QCOMPARE(w.frameGeometry(), QRect(0, 0, 600, 400));
  OpenExample(QStringLiteral("ampel.kem"));
  Compile();
  QWidget* log = w.logWindow();
  QVERIFY(log);
  QVERIFY(QTest::qWaitForWindowExposed(log));
  QCOMPARE(log->frameGeometry(), QRect(0, 400, 600, 80));
  // The main window's status line stays visible above the log.
  QVERIFY(log->frameGeometry().top() > w.frameGeometry().bottom());
  QVERIFY(w.mapToGlobal(w.statusLine()->geometry().bottomLeft()).y() < log->frameGeometry().top());

  w.action(kem::kCmdViewEquations)->trigger();
  QWidget* view = w.viewWindow(kem::kViewEquations);
  QVERIFY(view);
  QVERIFY(QTest::qWaitForWindowExposed(view));
  QCOMPARE(view->frameGeometry(), QRect(0, 0, 500, 300));
}

void DailyUseTest::firstCompilationLeavesTheFocusInTheEditor() {
  MainWindow& w = *window_;
  OpenExample(QStringLiteral("ampel.kem"));
  QCOMPARE(QApplication::focusWidget(), w.editor());
  Compile();
  QVERIFY(w.logWindow());
  QTest::qWait(50);  // activation requests of the window system arrive as events
  QCOMPARE(QApplication::activeWindow(), &w);
  QCOMPARE(QApplication::focusWidget(), w.editor());
  // Typing goes on in the editor.
  const qsizetype length = w.editor()->toPlainText().size();
  QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("!"));
  QCOMPARE(w.editor()->toPlainText().size(), length + 1);
}

#include "tests/gui/gui_test_class.h"
KEM_GUI_TEST_CLASS(DailyUseTest)
#include "daily_use_test.moc"
