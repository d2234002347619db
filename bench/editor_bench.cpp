// The editor with a long design, syntax highlighting on and off: opening the file, painting it
// page by page from the top to the bottom, typing in its middle, and reading the pin list again as
// the highlighter does after an edit. Median wall times of several runs; runs on the offscreen
// platform unless another one is chosen.
//
//   kem_editor_bench [--lines 5000] [--runs 5]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/main_window.h"
#include "shell/syntax_spans.h"

namespace kem::bench {

namespace {

constexpr int kKeys = 200;

struct Options {
  int lines = 5000;
  int runs = 5;
};

Options ParseOptions(const QStringList& arguments) {
  Options o;
  for (int i = 1; i + 1 < arguments.size(); i += 2) {
    const int value = std::max(1, std::atoi(arguments[i + 1].toUtf8().constData()));
    if (arguments[i] == QStringLiteral("--lines")) o.lines = value;
    if (arguments[i] == QStringLiteral("--runs")) o.runs = value;
  }
  return o;
}

// A header, then statements with every kind of token, each with a comment.
std::string LongDesign(int lines) {
  std::string text =
      "/* a long design\n   for the editor */\n"
      "CHIP lang GAL16V8 REGISTERED_MODE\n"
      "CLK A B C D E F G H GND\nNOE Q1 Q2 Q3 Q4 Q5 Q6 Q7 Q8 VCC\n";
  for (int i = 0; i < lines; ++i) {
    text += "Q" + std::to_string(i % 8 + 1) + " := /A * B * C + D * /E * F + G $ H; // Schritt " +
            std::to_string(i) + "\n";
  }
  return text;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Milliseconds(const QElapsedTimer& timer) {
  return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

struct Run {
  double open = 0;
  double page = 0;
  double key = 0;
};

Run Measure(const QString& folder, const QString& design, int lines) {
  Run run;
  gui::MainWindow window(folder);
  window.show();
  QApplication::processEvents();
  QElapsedTimer timer;
  timer.start();
  window.OpenFile(design);
  QApplication::processEvents();
  run.open = Milliseconds(timer);

  QPlainTextEdit* editor = window.editor();
  QScrollBar* bar = editor->verticalScrollBar();
  const int page = std::max(1, bar->pageStep());
  int pages = 0;
  timer.restart();
  for (int value = 0; value <= bar->maximum(); value += page, ++pages) {
    bar->setValue(value);
    editor->viewport()->repaint();
  }
  run.page = Milliseconds(timer) / std::max(1, pages);

  editor->setTextCursor(QTextCursor(editor->document()->findBlockByNumber(lines / 2)));
  timer.restart();
  for (int i = 0; i < kKeys; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(editor, &press);
    editor->viewport()->repaint();
  }
  run.key = Milliseconds(timer) / kKeys;
  // The window goes without being closed: nothing is saved, no question is asked.
  return run;
}

int Main() {
  const Options o = ParseOptions(QApplication::arguments());
  QTemporaryDir folder;
  const std::string text = LongDesign(o.lines);
  const QString design = folder.filePath(QStringLiteral("lang.kem"));
  QFile file(design);
  if (!file.open(QIODevice::WriteOnly)) return 1;
  file.write(text.data(), static_cast<qint64>(text.size()));
  file.close();

  std::printf("editor with %d statement lines, median of %d runs (ms)\n", o.lines, o.runs);
  std::printf("  %-14s %10s %12s %10s\n", "highlighting", "open", "paint/page", "key");
  for (const bool on : {true, false}) {
    QFile ini(folder.filePath(QStringLiteral("kem.ini")));
    if (!ini.open(QIODevice::WriteOnly)) return 1;
    ini.write(on ? "" : "KEMWinHighlight=0\n");
    ini.close();
    std::vector<double> open, page, key;
    for (int r = 0; r < o.runs; ++r) {
      const Run run = Measure(folder.path(), design, o.lines);
      open.push_back(run.open);
      page.push_back(run.page);
      key.push_back(run.key);
    }
    std::printf("  %-14s %10.2f %12.3f %10.3f\n", on ? "on" : "off", Median(open), Median(page),
                Median(key));
  }

  std::vector<double> pins;
  for (int r = 0; r < o.runs; ++r) {
    QElapsedTimer timer;
    timer.start();
    const PinNames names = DeclaredPinNames(text);
    pins.push_back(Milliseconds(timer));
    if (names.empty()) return 1;
  }
  std::printf("  pin list read again after an edit: %.3f ms\n", Median(pins));
  return 0;
}

}  // namespace

}  // namespace kem::bench

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return kem::bench::Main();
}
