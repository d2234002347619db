// The log window shows exactly the log's lines, in order, with the last one current, however many
// lines come and however often they come between two showings.
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <random>
#include <string>

#include "common/command_ids.h"
#include "common/message_log.h"
#include "gui/log_window.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_files.h"

using kem::gui::LogWindow;
using kem::gui::MainWindow;

// A member of the test class, so not in the anonymous namespace.
namespace kem::gui_test {

// Passes the log's changes to the window, as the main window does.
class WindowListener : public LogListener {
 public:
  explicit WindowListener(LogWindow& window) : window_(window) {}
  void LineRemoved() override { window_.RemoveLastLine(); }
  void LineAppended(std::string_view text, bool) override { window_.AppendLine(text); }

 private:
  LogWindow& window_;
};

}  // namespace kem::gui_test

using kem::gui_test::WindowListener;

namespace {

using kem::gui_test::kCompileTimeoutMs;

QStringList ModelLines(const kem::LogModel& model) {
  QStringList lines;
  for (const std::string& line : model.lines()) lines << QString::fromStdString(line);
  return lines;
}

// The rows the list shows now, without bringing it up to date first.
QStringList ShownRows(const QListWidget& list) {
  QStringList rows;
  for (int i = 0; i < list.count(); ++i) rows << list.item(i)->text();
  return rows;
}

bool LastRowInView(const QListWidget& list) {
  if (list.count() == 0) return false;
  return list.currentRow() == list.count() - 1 &&
         list.viewport()->rect().intersects(list.visualItemRect(list.item(list.count() - 1)));
}

// A design with `count` copies of one equation: every copy but the first is refused, and each
// gives one line in the log.
QByteArray RepeatedStatements(int count) {
  QByteArray design =
      "CHIP log GAL22V10\n"
      "I0 I1 I2 I3 I4 I5 I6 I7 I8 I9 I10 GND\n"
      "I11 I12 I13 I14 I15 I16 I17 Y O1 O2 O3 VCC\n\n";
  for (int i = 0; i < count; ++i) design += "Y = I0 & I1 + I2;\n";
  return design;
}

QStringList RepeatedStatementsLog(int count) {
  QStringList lines{QStringLiteral("Text wird compiliert"), QStringLiteral("Minimierung von Y")};
  for (int i = 0; i < count; ++i)
    lines << (i % 2 == 0 ? QStringLiteral(".") : QStringLiteral(".."));
  lines << QStringLiteral("Compilevorgang beendet, Warnungen: 0, Fehler: %1.").arg(2 * (count - 1));
  return lines;
}

}  // namespace

class LogWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<LogWindow>(QApplication::font());
    listener_ = std::make_unique<WindowListener>(*window_);
    model_ = std::make_unique<kem::LogModel>(listener_.get());
    model_->EnsureLogWindow();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  }

  void cleanup() {
    model_.reset();
    listener_.reset();
    window_.reset();
  }

  // Markers take one line that the next line replaces, whether or not the list showed them.
  void theMarkerIsOneLineThatTheNextLineReplaces() {
    QListWidget& list = *window_->list();
    model_->AppendLogLine("A", false);
    model_->AdvanceProgressMarker();
    QTRY_COMPARE(ShownRows(list), (QStringList{"A", ">>>"}));  // shown without being asked
    QVERIFY(LastRowInView(list));
    model_->AdvanceProgressMarker();
    model_->AppendLogLine("B", false);
    QCOMPARE(window_->Lines(), (QStringList{"A", "B"}));
    QCOMPARE(ShownRows(list), (QStringList{"A", "B"}));
    QCOMPARE(list.currentRow(), 1);

    // Eighteen more moves, shown now and then: one marker line, the last phase written.
    for (int i = 0; i < 18; ++i) {
      model_->AdvanceProgressMarker();
      if (i % 5 == 0) window_->ShowPendingLines();
    }
    QCOMPARE(window_->Lines(), (QStringList{"A", "B", "      >>>"}));
    QCOMPARE(list.currentRow(), 2);

    // A permanent line after the marker takes its place; the one after that follows it.
    model_->AppendLogLine("C", false);
    model_->AppendLogLine("D", false);
    QTRY_COMPARE(ShownRows(list), (QStringList{"A", "B", "C", "D"}));
    QVERIFY(LastRowInView(list));
  }

  // Many lines and markers, shown at arbitrary points: the list ends as the log, in order, with
  // its last line current and in view.
  void manyLinesEndAsTheLog() {
    QListWidget& list = *window_->list();
    std::mt19937 random(11);
    for (int i = 0; i < 60000; ++i) {
      const unsigned what = random() % 100;
      if (what < 20) {
        model_->AdvanceProgressMarker();
      } else {
        model_->AppendLogLine(std::to_string(i), what < 25);
      }
      if (what == 0) window_->ShowPendingLines();
      if (what == 1) QCoreApplication::processEvents();
    }
    model_->AppendLogLine("Ende", false);
    const QStringList expected = ModelLines(*model_);
    QVERIFY(expected.size() > 40000);
    QTRY_COMPARE(ShownRows(list), expected);  // shown without being asked
    QCOMPARE(window_->Lines(), expected);
    QVERIFY(LastRowInView(list));
    QCOMPARE(list.selectedItems().size(), 1);

    // The user looks at the top; the moving marker brings the end back into view, also when it
    // only rewrites its own row.
    model_->AdvanceProgressMarker();
    window_->ShowPendingLines();
    list.scrollToTop();
    QVERIFY(!LastRowInView(list));
    model_->AdvanceProgressMarker();
    QTRY_VERIFY(LastRowInView(list));
    QCOMPARE(window_->Lines().size(), expected.size() + 1);
  }

  // Every row is as wide as the longest line, wherever that line stands, so it can be scrolled
  // to; in a larger font, wider.
  void theLongestLineCanBeScrolledTo() {
    QListWidget& list = *window_->list();
    const QString longest = QStringLiteral("Minimierung von ") + QString(200, QLatin1Char('W'));
    model_->AppendLogLine("A", false);
    model_->AppendLogLine(longest.toStdString(), false);
    for (int i = 0; i < 100; ++i) model_->AppendLogLine(".", false);
    window_->ShowPendingLines();
    const int width = list.fontMetrics().horizontalAdvance(longest);
    QVERIFY(list.visualItemRect(list.item(1)).width() >= width);
    QVERIFY(list.horizontalScrollBar()->maximum() > 0);

    // A longer line in place of the marker's row: the rows grow with it.
    model_->AdvanceProgressMarker();
    window_->ShowPendingLines();
    const QString longer = longest + QStringLiteral(" und noch mehr");
    model_->AppendLogLine(longer.toStdString(), false);
    window_->ShowPendingLines();
    QCOMPARE(list.count(), 103);
    QVERIFY(list.visualItemRect(list.item(102)).width() >=
            list.fontMetrics().horizontalAdvance(longer));

    QFont larger = list.font();
    larger.setPointSize(larger.pointSize() * 2);
    window_->SetListFont(larger);
    QCOMPARE(window_->Lines().size(), 103);
    QVERIFY(list.visualItemRect(list.item(1)).width() >=
            QFontMetrics(larger).horizontalAdvance(longer));
  }

  // Three compilations of a design of many statements, in one log: each run's lines follow the
  // previous run's, exactly as the log has them.
  void repeatedCompilationsKeepEveryLine() {
    QTemporaryDir dir;
    const QString design = dir.filePath(QStringLiteral("log.kem"));
    QFile file(design);
    QVERIFY(file.open(QIODevice::WriteOnly));
    constexpr int kStatements = 3000;
    file.write(RepeatedStatements(kStatements));
    file.close();

    MainWindow w(dir.path());
    w.show();
    w.OpenFile(design);
    QStringList expected;
    for (int run = 0; run < 3; ++run) {
      w.action(kem::kCmdCompileOnly)->trigger();
      QTRY_VERIFY_WITH_TIMEOUT(!w.compiling() && !w.frame().compiling(), kCompileTimeoutMs);
      expected << RepeatedStatementsLog(kStatements);
      QVERIFY(w.logWindow());
      QListWidget& list = *w.logWindow()->list();
      QTRY_COMPARE(ShownRows(list), expected);  // shown without being asked
      QCOMPARE(ModelLines(w.frame().log()), expected);
      QVERIFY(LastRowInView(list));
    }
  }

 private:
  std::unique_ptr<LogWindow> window_;
  std::unique_ptr<WindowListener> listener_;
  std::unique_ptr<kem::LogModel> model_;
};

#include "tests/gui/gui_test_class.h"
KEM_GUI_TEST_CLASS(LogWindowTest)
#include "log_window_test.moc"
