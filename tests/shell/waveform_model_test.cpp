// The function simulation as the frame hands it to its window: a counter compiled and fitted,
// driven step by step, checked against its vector file, saved and read back.
#include "shell/waveform_model.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "common/command_ids.h"
#include "shell/frame.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/counter_value.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

using testing_support::FakeUi;
using testing_support::TempDir;
using RowKind = WaveformModel::RowKind;

std::string ReadExample(const std::string& name) {
  std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class WaveformTest : public ::testing::Test {
 public:
  WaveformTest() : frame(ui) { frame.StartUp(dir.path().string()); }

  // Opens the example `name` as NAME.kem and runs `command` on it.
  void OpenExample(const std::string& example, const std::string& name, int command) {
    dir.Write(name + ".kem", ReadExample(example));
    ui.dialog_names.push_back(dir.File(name + ".kem"));
    frame.HandleCommand(kCmdOpen);
    frame.HandleCommand(command);
  }
  void OpenCounter(int command = kCmdCompileAndFit) {
    OpenExample("gal22v10_counter.kem", "counter", command);
  }

  // The example's simulation, opened through its menu item.
  WaveformModel& Simulation(const std::string& example) {
    OpenExample(example, "design", kCmdCompileAndFit);
    frame.HandleCommand(kCmdFunctionSimulation);
    EXPECT_NE(ui.waveform, nullptr);
    return *ui.waveform;
  }
  WaveformModel& Counter() { return Simulation("gal22v10_counter.kem"); }

  void Toggle(WaveformModel& model, const std::string& name, int step) {
    ASSERT_TRUE(model.ToggleInput(model.RowOf(name), step)) << name;
  }

  TempDir dir;
  FakeUi ui;
  Frame frame;
};

TEST_F(WaveformTest, OpensOnlyOnAFitOfTheDocumentInTheEditor) {
  EXPECT_FALSE(ui.enabled[kCmdFunctionSimulation]);
  OpenCounter(kCmdCompileOnly);
  EXPECT_FALSE(ui.enabled[kCmdFunctionSimulation]);
  frame.HandleCommand(kCmdFunctionSimulation);
  EXPECT_EQ(ui.waveform, nullptr);

  frame.HandleCommand(kCmdCompileAndFit);
  EXPECT_TRUE(ui.enabled[kCmdFunctionSimulation]);
  // An edit leaves the fitted design to simulate.
  ui.editor_text += "// noch getippt\n";
  frame.EditorTextChanged();
  frame.HandleCommand(kCmdFunctionSimulation);
  ASSERT_NE(ui.waveform, nullptr);
  EXPECT_TRUE(ui.waveform_title.starts_with("Funktionssimulation - counter.kem, gefittet um "))
      << ui.waveform_title;
  EXPECT_EQ(ui.waveform_vector_file, dir.File("counter.vec"));

  ui.waveform.reset();
  frame.HandleCommand(kCmdNew);
  EXPECT_FALSE(ui.enabled[kCmdFunctionSimulation]);
  frame.HandleCommand(kCmdFunctionSimulation);
  EXPECT_EQ(ui.waveform, nullptr);
}

TEST_F(WaveformTest, FitOnlyCountsAndAFailedCompilationTakesTheFitAway) {
  OpenCounter(kCmdCompileOnly);
  frame.HandleCommand(kCmdFitOnly);
  EXPECT_TRUE(ui.enabled[kCmdFunctionSimulation]);

  ui.editor_text = "CHIP kaputt GAL16V8\nA B\n";  // a design that cannot compile cleanly
  frame.EditorTextChanged();
  ui.answers.push_back(BoxAnswer::kYes);  // save before compiling
  frame.HandleCommand(kCmdCompileAndFit);
  EXPECT_FALSE(ui.enabled[kCmdFunctionSimulation]);
  frame.HandleCommand(kCmdFunctionSimulation);
  EXPECT_EQ(ui.waveform, nullptr);
}

TEST_F(WaveformTest, RowsAreTheDesignsPinsThatTakeOrGiveALevel) {
  const WaveformModel& model = Counter();
  std::string names;
  for (const WaveformModel::Row& row : model.rows()) names += row.name + " ";
  EXPECT_EQ(names, "CLK RESET SET UP EN LD_N D0 D1 D2 D3 OE_N Q0 Q1 Q2 Q3 ZERO TC ");
  EXPECT_EQ(model.rows()[model.RowOf("CLK")].kind, RowKind::kClock);
  EXPECT_EQ(model.rows()[model.RowOf("OE_N")].kind, RowKind::kInput);
  EXPECT_EQ(model.rows()[model.RowOf("Q3")].kind, RowKind::kOutput);
  EXPECT_EQ(model.rows()[model.RowOf("Q3")].pin, 18);
  EXPECT_EQ(model.RowOf("NC"), -1);  // several pins carry it
  EXPECT_EQ(model.RowOf("GND"), -1);
  EXPECT_EQ(model.step_count(), 1);
  EXPECT_EQ(test::CounterValue(model, 0), 0);
  EXPECT_EQ(model.Level(model.RowOf("ZERO"), 0), PinLevel::kHigh);
}

TEST_F(WaveformTest, ClockStepsCountWithTheInputsOfTheStepBefore) {
  WaveformModel& model = Counter();
  for (const char* name : {"LD_N", "EN", "UP"}) Toggle(model, name, 0);
  EXPECT_EQ(model.Level(model.RowOf("EN"), 0), PinLevel::kHigh);
  for (int tick = 1; tick <= 3; ++tick) {
    model.AddStep(true);
    EXPECT_TRUE(model.clock_step(tick));
    EXPECT_EQ(test::CounterValue(model, tick), tick);
  }
  // Down again; then a step without a clock holds the count.
  Toggle(model, "UP", 3);
  EXPECT_EQ(test::CounterValue(model, 3), 1);  // the change reaches the clock edge of its own step
  model.AddStep(false);
  EXPECT_FALSE(model.clock_step(4));
  EXPECT_EQ(test::CounterValue(model, 4), 1);
  // Outputs float while OE_N is high; the register keeps counting behind them.
  Toggle(model, "OE_N", 4);
  EXPECT_EQ(test::CounterValue(model, 4), -1);
  EXPECT_EQ(model.Level(model.RowOf("ZERO"), 4), PinLevel::kLow);
  model.AddStep(true);
  Toggle(model, "OE_N", 5);
  EXPECT_EQ(test::CounterValue(model, 5), 0);
  EXPECT_EQ(model.MismatchCount(), 0);
}

TEST_F(WaveformTest, OnlyInputsTakeAClick) {
  WaveformModel& model = Counter();
  model.AddStep(true);
  EXPECT_FALSE(model.ToggleInput(model.RowOf("Q0"), 0));
  EXPECT_FALSE(model.ToggleInput(model.RowOf("CLK"), 1));  // it clocks there
  EXPECT_FALSE(model.ToggleInput(model.RowOf("EN"), 2));   // no such step
  EXPECT_FALSE(model.ToggleInput(-1, 0));
  // The clock pin outside a clock step is an input like another, and its rise there clocks.
  EXPECT_TRUE(model.ToggleInput(model.RowOf("CLK"), 0));
  EXPECT_EQ(model.Level(model.RowOf("CLK"), 0), PinLevel::kHigh);
  model.Reset();
  EXPECT_EQ(model.step_count(), 1);
  EXPECT_EQ(model.Level(model.RowOf("CLK"), 0), PinLevel::kLow);
}

TEST_F(WaveformTest, ALoadedVectorFileIsCheckedAndAChangedInputFlagged) {
  WaveformModel& model = Counter();
  const std::string vectors = ReadExample("gal22v10_counter.vec");
  std::vector<VectorDiagnostic> faults;
  ASSERT_TRUE(model.LoadVectors(vectors, faults));
  EXPECT_TRUE(faults.empty());
  EXPECT_GT(model.step_count(), 10);
  EXPECT_EQ(model.MismatchCount(), 0);
  EXPECT_EQ(model.Expected(model.RowOf("Q3"), 0), 'L');
  EXPECT_EQ(model.Expected(model.RowOf("RESET"), 0), 'X');  // an input expects nothing

  // Step 2 loads 14; with LD_N high it holds 0 instead and its outputs disagree.
  Toggle(model, "LD_N", 1);
  EXPECT_EQ(test::CounterValue(model, 1), 0);
  EXPECT_TRUE(model.Mismatch(model.RowOf("Q3"), 1));
  EXPECT_FALSE(model.Mismatch(model.RowOf("Q0"), 1));  // 14 has Q0 low as well
  EXPECT_FALSE(model.Mismatch(model.RowOf("LD_N"), 1));
  EXPECT_GT(model.MismatchCount(), 3);
  Toggle(model, "LD_N", 1);
  EXPECT_EQ(model.MismatchCount(), 0);
}

TEST_F(WaveformTest, SavedFileReadsBackToTheSameTable) {
  WaveformModel& model = Counter();
  for (const char* name : {"LD_N", "EN", "UP"}) Toggle(model, name, 0);
  model.AddStep(true);
  model.AddStep(true);
  const std::string text = model.VectorText();
  EXPECT_EQ(text,
            "ORDER: CLK RESET SET UP EN LD_N D0 D1 D2 D3 OE_N Q0 Q1 Q2 Q3 ZERO TC\n"
            "0 0 0 1 1 1 0 0 0 0 0 L L L L H L\n"
            "C 0 0 1 1 1 0 0 0 0 0 H L L L L L\n"
            "C 0 0 1 1 1 0 0 0 0 0 L H L L L L\n");

  std::string message;
  ASSERT_TRUE(model.SaveFile(dir.File("saved.vec"), message)) << message;
  model.Reset();
  ASSERT_TRUE(model.LoadFile(dir.File("saved.vec"), message)) << message;
  EXPECT_EQ(model.step_count(), 3);
  EXPECT_EQ(test::CounterValue(model, 2), 2);
  EXPECT_EQ(model.Expected(model.RowOf("Q1"), 2), 'H');
  EXPECT_EQ(model.MismatchCount(), 0);
  EXPECT_EQ(model.VectorText(), text);
}

TEST_F(WaveformTest, AFaultyFileIsReportedWithItsLinesAndLoadsNothing) {
  WaveformModel& model = Counter();
  Toggle(model, "EN", 0);
  dir.Write("bad.vec", "ORDER: CLK EN Q0 KEINER\nC 1 L\nC 2 L\n");
  std::string message;
  EXPECT_FALSE(model.LoadFile(dir.File("bad.vec"), message));
  EXPECT_EQ(message, "Vektordatei " + dir.File("bad.vec") +
                         " fehlerhaft, nichts geladen:\n"
                         "Zeile 1: KEINER ist kein Pin des Designs\n"
                         "Zeile 2: zu wenige Werte: 3 statt 4\n"
                         "Zeile 3: unbekannter Wert 2 (erlaubt: 0 1 C H L Z X)");
  EXPECT_EQ(model.step_count(), 1);
  EXPECT_EQ(model.Level(model.RowOf("EN"), 0), PinLevel::kHigh);

  EXPECT_FALSE(model.LoadFile(dir.File("fehlt.vec"), message));
  EXPECT_EQ(message, "Vektordatei " + dir.File("fehlt.vec") + " kann nicht gelesen werden");
  EXPECT_FALSE(model.SaveFile(dir.File("fehlt/x.vec"), message));
  EXPECT_EQ(message, "Kann " + dir.File("fehlt/x.vec") + " nicht speichern");
}

TEST_F(WaveformTest, BusPinsAreDrivenFromOutsideOnlyWhileTheDeviceLetsGo) {
  WaveformModel& model = Simulation("gal16v8_complex_bus.kem");
  const int b0 = model.RowOf("B0");
  const int a0 = model.RowOf("A0");
  EXPECT_EQ(model.rows()[b0].kind, RowKind::kBus);
  EXPECT_EQ(model.rows()[model.RowOf("PAR")].kind, RowKind::kOutput);

  // DIR and G_N low: side B drives side A.
  ASSERT_TRUE(model.ToggleInput(b0, 0));
  EXPECT_EQ(model.Level(a0, 0), PinLevel::kLow);
  ASSERT_TRUE(model.ToggleInput(b0, 0));
  EXPECT_EQ(model.Level(b0, 0), PinLevel::kHigh);
  EXPECT_EQ(model.Level(a0, 0), PinLevel::kHigh);
  EXPECT_EQ(model.MismatchCount(), 0);
  // A floating pin has no level: A1 and A2, which follow B1 and B2, are unknown, and the parity.
  EXPECT_EQ(model.VectorText(),
            "ORDER: DIR G_N A0 A1 A2 B0 B1 B2 PAR\n"
            "0 0 H X X 1 Z Z X\n");

  // With DIR high the device drives B0 itself: driving it as well is flagged.
  Toggle(model, "DIR", 0);
  EXPECT_TRUE(model.Mismatch(b0, 0));
  ASSERT_TRUE(model.ToggleInput(b0, 0));  // let go again
  EXPECT_EQ(model.MismatchCount(), 0);
  EXPECT_EQ(model.Expected(b0, 0), 'X');

  std::vector<VectorDiagnostic> faults;
  ASSERT_TRUE(model.LoadVectors(ReadExample("gal16v8_complex_bus.vec"), faults));
  EXPECT_EQ(model.MismatchCount(), 0);
  EXPECT_EQ(model.Expected(b0, 1), 'H');
  EXPECT_EQ(model.Expected(b0, 4), 'X');  // driven there
  EXPECT_EQ(model.Level(b0, 4), PinLevel::kHigh);
}

}  // namespace
}  // namespace kem
