#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

#include "common/command_ids.h"
#include "gui/help_window.h"
#include "gui/main_window.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_in_folder.h"

using kem::gui::HelpWindow;
using kem::gui::MainWindow;

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void f1WithoutHelpFileShowsTheManual();
  void everyHelpCommandReusesOneWindow();
  void linksBackAndForward();
  void searchGoesThroughAllPages();
  void searchForMissingTextSaysSo();

 private:
  HelpWindow* PressF1();

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<MainWindow> window_;
};

void HelpTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  QVERIFY(kem::test::ShowMainWindowIn(*dir_, window_));
}

void HelpTest::cleanup() {
  window_.reset();
  dir_.reset();
}

HelpWindow* HelpTest::PressF1() {
  QTest::keyClick(window_.get(), Qt::Key_F1);
  return window_->helpWindow();
}

void HelpTest::f1WithoutHelpFileShowsTheManual() {
  HelpWindow* help = PressF1();
  QVERIFY(help);
  QVERIFY(QTest::qWaitForWindowExposed(help));
  QCOMPARE(help->windowTitle(), QStringLiteral("KEM Handbuch"));
  QCOMPARE(help->browser()->source(), HelpWindow::EntryPage());
  const QString text = help->browser()->toPlainText();
  QVERIFY(text.contains(QStringLiteral("Inhalt")));
  QVERIFY(text.contains(QStringLiteral("Bausteine und Pins")));
  QVERIFY(!kem::test::SaveScreenshot(help, QStringLiteral("manual")).isEmpty());
}

void HelpTest::everyHelpCommandReusesOneWindow() {
  HelpWindow* help = PressF1();
  QVERIFY(help);
  help->browser()->setSource(QUrl(QStringLiteral("meldungen.html")));
  window_->action(kem::kCmdHelpContents)->trigger();
  QCOMPARE(window_->helpWindow(), help);
  QCOMPARE(help->browser()->source(), HelpWindow::EntryPage());
  help->close();
  window_->action(kem::kCmdHelpSearch)->trigger();
  QCOMPARE(window_->helpWindow(), help);
  QVERIFY(help->isVisible());
  QVERIFY(QTest::qWaitForWindowActive(help));
  QCOMPARE(QApplication::focusWidget(), help->findField());
}

void HelpTest::linksBackAndForward() {
  HelpWindow* help = PressF1();
  QTextBrowser* browser = help->browser();
  const QUrl start = browser->source();
  browser->setSource(QUrl(QStringLiteral("sprache.html#operatoren")));
  QCOMPARE(browser->source().fileName(), QStringLiteral("sprache.html"));
  QVERIFY(browser->toPlainText().contains(QStringLiteral("Operatoren und ihr Vorrang")));
  auto* back = help->findChild<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
  QVERIFY(back);
  QVERIFY(back->isEnabled());
  back->click();
  QCOMPARE(browser->source(), start);
  browser->forward();
  QCOMPARE(browser->source().fileName(), QStringLiteral("sprache.html"));
}

void HelpTest::searchGoesThroughAllPages() {
  HelpWindow* help = PressF1();
  // From the contents to the page of the diagnostics, in any letter case.
  QVERIFY(help->FindNext(QStringLiteral("e35 zu viele terme")));
  QCOMPARE(help->browser()->source().fileName(), QStringLiteral("meldungen.html"));
  QCOMPARE(help->browser()->textCursor().selectedText(), QStringLiteral("E35 Zu viele Terme"));
  const int first = help->browser()->textCursor().position();
  // The text stands twice on that page, as the message and in its example's error file: the
  // next search finds the second, the one after goes round all pages back to the first.
  QVERIFY(help->FindNext(QStringLiteral("E35 Zu viele Terme")));
  QVERIFY(help->browser()->textCursor().position() > first);
  QVERIFY(help->FindNext(QStringLiteral("E35 Zu viele Terme")));
  QCOMPARE(help->browser()->source().fileName(), QStringLiteral("meldungen.html"));
  QCOMPARE(help->browser()->textCursor().position(), first);
}

void HelpTest::searchForMissingTextSaysSo() {
  HelpWindow* help = PressF1();
  help->findField()->setText(QStringLiteral("Dieser Text steht nirgends"));
  QTest::keyClick(help->findField(), Qt::Key_Return);
  auto labels = help->findChildren<QLabel*>();
  bool said = false;
  for (QLabel* label : labels)
    said = said || (label->isVisible() && label->text() == QStringLiteral("Text nicht gefunden!"));
  QVERIFY(said);
  QCOMPARE(help->browser()->source(), HelpWindow::EntryPage());
}

#include "tests/gui/gui_test_class.h"
KEM_GUI_TEST_CLASS(HelpTest)
#include "help_test.moc"
