// The function simulation window on a fitted counter, driven by mouse and buttons as a user would:
// inputs clicked, clock steps added, the example's vector file loaded, a mismatch provoked, the
// table saved and read back.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "common/command_ids.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_files.h"
#include "tests/support/counter_value.h"
#include "tests/support/modal_answers.h"
#include "tests/support/screenshot.h"
#include "tests/support/window_in_folder.h"

using kem::PinLevel;
using kem::WaveformModel;
using kem::gui::MainWindow;
using kem::gui::WaveformWindow;
using kem::test::AnswerNextModal;
using kem::test::ChooseInNextFileDialog;
using kem::test::ClickInNextBox;

namespace {

using kem::gui_test::kCompileTimeoutMs;
using kem::gui_test::ReadFile;

}  // namespace

class WaveformTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void itemWaitsForASuccessfulFit();
  void clickedInputsAndClockStepsDriveTheFittedCounter();
  void vectorFileIsLoadedCheckedSavedAndReadBack();
  void faultyVectorFileIsShownAndNotLoaded();

 private:
  // Opens the counter example, compiles and fits it and opens its simulation window.
  WaveformWindow* OpenSimulation();
  void ClickCell(WaveformWindow* window, const char* name, int step);
  void Press(WaveformWindow* window, const QString& button);

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<MainWindow> window_;
};

void WaveformTest::init() {
  dir_ = std::make_unique<QTemporaryDir>();
  QVERIFY(dir_->isValid());
  QVERIFY(kem::test::ShowMainWindowIn(*dir_, window_));
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
}

void WaveformTest::cleanup() {
  window_.reset();
  dir_.reset();
}

WaveformWindow* WaveformTest::OpenSimulation() {
  for (const char* name : {"gal22v10_counter.kem", "gal22v10_counter.vec"})
    kem::test::CopyExample(*dir_, QString::fromLatin1(name));
  window_->OpenFile(dir_->filePath(QStringLiteral("gal22v10_counter.kem")));
  window_->action(kem::kCmdCompileAndFit)->trigger();
  if (!QTest::qWaitFor([&] { return !window_->compiling() && !window_->frame().compiling(); },
                       kCompileTimeoutMs))
    return nullptr;
  if (!window_->action(kem::kCmdFunctionSimulation)->isEnabled()) return nullptr;
  window_->action(kem::kCmdFunctionSimulation)->trigger();
  return window_->waveformWindow();
}

void WaveformTest::ClickCell(WaveformWindow* window, const char* name, int step) {
  const int row = window->model().RowOf(name);
  QVERIFY2(row >= 0, name);
  QTest::mouseClick(window->view(), Qt::LeftButton, {},
                    window->view()->CellRect(row, step).center());
}

void WaveformTest::Press(WaveformWindow* window, const QString& text) {
  QPushButton* button = window->button(text);
  QVERIFY2(button != nullptr, qPrintable(text));
  QTest::mouseClick(button, Qt::LeftButton);
}

void WaveformTest::itemWaitsForASuccessfulFit() {
  MainWindow& w = *window_;
  QAction* item = w.action(kem::kCmdFunctionSimulation);
  QVERIFY(item != nullptr);
  QCOMPARE(item->text(), QStringLiteral("&Funktionssimulation ..."));
  QVERIFY(!item->isEnabled());
  QVERIFY(OpenSimulation() != nullptr);
  // A compilation without a fit leaves nothing fitted to simulate.
  w.action(kem::kCmdCompileOnly)->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(!w.compiling() && !w.frame().compiling(), kCompileTimeoutMs);
  QVERIFY(!item->isEnabled());
}

void WaveformTest::clickedInputsAndClockStepsDriveTheFittedCounter() {
  WaveformWindow* sim = OpenSimulation();
  QVERIFY(sim != nullptr);
  QVERIFY(sim->isVisible());
  QVERIFY2(sim->windowTitle().startsWith(
               QStringLiteral("Funktionssimulation - gal22v10_counter.kem, gefittet um ")),
           qPrintable(sim->windowTitle()));
  const WaveformModel& model = sim->model();
  QCOMPARE(model.step_count(), 1);

  // Count up: no load, enabled, upwards.
  for (const char* name : {"LD_N", "EN", "UP"}) ClickCell(sim, name, 0);
  QCOMPARE(model.Level(model.RowOf("LD_N"), 0), PinLevel::kHigh);
  // A click on an output changes nothing.
  ClickCell(sim, "Q0", 0);
  QCOMPARE(kem::test::CounterValue(model, 0), 0);

  for (int tick = 1; tick <= 3; ++tick) {
    Press(sim, QStringLiteral("Takt"));
    QCOMPARE(model.step_count(), tick + 1);
    QCOMPARE(kem::test::CounterValue(model, tick), tick);
  }
  Press(sim, QStringLiteral("Schritt"));
  QCOMPARE(kem::test::CounterValue(model, 4), 3);
  // Outputs float while OE_N is high.
  ClickCell(sim, "OE_N", 4);
  QCOMPARE(kem::test::CounterValue(model, 4), -1);
  QCOMPARE(sim->summary()->text(), QStringLiteral("Keine Abweichungen"));

  Press(sim, QStringLiteral("Zurücksetzen"));
  QCOMPARE(model.step_count(), 1);
  QCOMPARE(model.Level(model.RowOf("EN"), 0), PinLevel::kLow);
}

void WaveformTest::vectorFileIsLoadedCheckedSavedAndReadBack() {
  WaveformWindow* sim = OpenSimulation();
  QVERIFY(sim != nullptr);
  const WaveformModel& model = sim->model();

  kem::test::DialogSeen seen;
  ChooseInNextFileDialog(dir_->filePath(QStringLiteral("gal22v10_counter.vec")), &seen);
  Press(sim, QStringLiteral("Laden ..."));
  QCOMPARE(seen.title, QStringLiteral("Vektordatei laden"));
  QCOMPARE(seen.filters, QStringList{QStringLiteral("Vektordateien (*.vec)")});
  QVERIFY(model.step_count() > 10);
  QCOMPARE(model.MismatchCount(), 0);
  QCOMPARE(sim->summary()->text(), QStringLiteral("Keine Abweichungen"));

  // Step 2 loads 14; with LD_N high the counter holds 0 and the outputs disagree.
  ClickCell(sim, "LD_N", 1);
  QCOMPARE(kem::test::CounterValue(model, 1), 0);
  QVERIFY(model.Mismatch(model.RowOf("Q3"), 1));
  QVERIFY(!model.Mismatch(model.RowOf("LD_N"), 1));
  const int mismatches = model.MismatchCount();
  QVERIFY(mismatches > 0);
  QCOMPARE(sim->summary()->text(), QStringLiteral("Abweichungen: %1").arg(mismatches));

  sim->resize(820, 660);
  QApplication::processEvents();
  QVERIFY(!kem::test::SaveScreenshotWithCaption(sim, QStringLiteral("waveform")).isEmpty());

  const QString saved = dir_->filePath(QStringLiteral("saved.vec"));
  ChooseInNextFileDialog(saved, &seen);
  Press(sim, QStringLiteral("Speichern ..."));
  QCOMPARE(seen.title, QStringLiteral("Vektordatei speichern"));
  const std::string text = model.VectorText();
  QCOMPARE(ReadFile(saved).toStdString(), text);

  Press(sim, QStringLiteral("Zurücksetzen"));
  QCOMPARE(model.step_count(), 1);
  ChooseInNextFileDialog(saved);
  Press(sim, QStringLiteral("Laden ..."));
  QCOMPARE(model.VectorText(), text);
  QCOMPARE(model.MismatchCount(), mismatches);
}

void WaveformTest::faultyVectorFileIsShownAndNotLoaded() {
  WaveformWindow* sim = OpenSimulation();
  QVERIFY(sim != nullptr);
  const QString bad = dir_->filePath(QStringLiteral("bad.vec"));
  QFile file(bad);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("ORDER: CLK Q0\nC H\nC 1\n");
  file.close();

  QString box;
  AnswerNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog != nullptr);
    dialog->selectFile(bad);
    QMetaObject::invokeMethod(dialog, "accept");
    ClickInNextBox(QStringLiteral("OK"), &box);
  });
  Press(sim, QStringLiteral("Laden ..."));
  QTRY_VERIFY(!box.isEmpty());
  QCOMPARE(box, QStringLiteral("Vektordatei %1 fehlerhaft, nichts geladen:\n"
                               "Zeile 3: Q0: 1 passt nicht, der Pin ist kein Eingang")
                    .arg(bad));
  QCOMPARE(sim->model().step_count(), 1);
}

#include "tests/gui/gui_test_class.h"
KEM_GUI_TEST_CLASS(WaveformTest)
#include "waveform_test.moc"
