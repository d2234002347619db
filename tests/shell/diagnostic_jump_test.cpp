#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "common/command_ids.h"
#include "common/file_io.h"
#include "shell/diagnostic_lines.h"
#include "shell/frame.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

using testing_support::FakeUi;
using testing_support::TempDir;

struct QuoteCase {
  std::string_view line;
  std::optional<int> number;
};

TEST(DiagnosticLineNumber, FindsTheQuotedLine) {
  const QuoteCase cases[] = {
      {"Zeile 7: E19 Bezeichner unbekannt", 7},
      {"Zeile 3: E12 Der Pinname CLK2 ist bereits vergeben", 3},
      {"Zeile 12: W01 ; fehlt", 12},
      {"ampel.ERR: Zeile 4: W01 ; fehlt", 4},  // a file name in front
      {"Zeile x, Zeile 5: E18 Bezeichner nicht korrekt", 5},
      {"Zeile 0: E18 Bezeichner nicht korrekt", 1},
      {"Zeile 123456789012: E18 Bezeichner nicht korrekt", 999999999},
      {"E33 Pin Q1 kann nicht als Rückkopplung verwendet werden, da Definition als Output fehlt",
       std::nullopt},
      {"Zeile: 3", std::nullopt},  // the status line's wording
      {"Zeile 3 fehlt", std::nullopt},
      {"Zeile 3", std::nullopt},
      {"Zeile : E19", std::nullopt},
      {"Text wird compiliert", std::nullopt},
      {"Compilevorgang beendet, Warnungen: 0, Fehler: 1.", std::nullopt},
      {"", std::nullopt},
  };
  for (const QuoteCase& c : cases) EXPECT_EQ(DiagnosticLineNumber(c.line), c.number) << c.line;
}

TEST(DiagnosticLines, AscendingOnceEachWithinTheSource) {
  const std::string errors =
      "Zeile 7: E19 Bezeichner unbekannt\n"
      "Zeile 3: E17 ) fehlt\n"
      "E35 Zu viele Terme für Definition von Pin Q\n"
      "Zeile 7: E18 Bezeichner nicht korrekt\n"
      "Zeile 2: W01 ; fehlt\n"
      "Zeile 50: W01 ; fehlt";  // no line end after the last
  EXPECT_EQ(DiagnosticLines(errors, 10), (std::vector<int>{2, 3, 7, 10}));
  EXPECT_EQ(DiagnosticLines(errors, 5), (std::vector<int>{2, 3, 5}));
  EXPECT_EQ(DiagnosticLines(errors, 0), (std::vector<int>{1}));
  EXPECT_TRUE(DiagnosticLines("E07 CHIP-Statement nicht gefunden\n", 10).empty());
  EXPECT_TRUE(DiagnosticLines("", 10).empty());
}

struct StepCase {
  int caret;
  bool forward;
  int expected;
};

TEST(NextDiagnosticLine, StepsFromTheCaretAndGoesRound) {
  const std::vector<int> lines = {3, 7, 10};
  const StepCase cases[] = {
      {1, true, 3},  {3, true, 7},  {5, true, 7},   {10, true, 3},  {12, true, 3},
      {7, false, 3}, {8, false, 7}, {3, false, 10}, {1, false, 10}, {11, false, 10},
  };
  for (const StepCase& c : cases) {
    EXPECT_EQ(NextDiagnosticLine(lines, c.caret, c.forward), c.expected)
        << "caret " << c.caret << (c.forward ? " forward" : " back");
  }
  EXPECT_EQ(NextDiagnosticLine({4}, 4, true), 4);
  EXPECT_EQ(NextDiagnosticLine({4}, 4, false), 4);
  EXPECT_EQ(NextDiagnosticLine({}, 1, true), std::nullopt);
  EXPECT_EQ(NextDiagnosticLine({}, 1, false), std::nullopt);
}

TEST(LocateLine, TheLineWithoutItsEnd) {
  const std::string_view text = "ab\ncd\n\nef";
  const std::pair<int, std::pair<int, int>> cases[] = {
      {1, {0, 2}}, {2, {3, 5}}, {3, {6, 6}}, {4, {7, 9}}, {9, {7, 9}}, {0, {0, 2}}, {-3, {0, 2}},
  };
  for (const auto& [line, range] : cases) {
    const LineRange found = LocateLine(text, line);
    EXPECT_EQ(std::pair(found.start, found.end), range) << "line " << line;
  }
  EXPECT_EQ(LocateLine("ab\n", 2).start, 3);
  EXPECT_EQ(LocateLine("ab\n", 2).end, 3);
  EXPECT_EQ(LocateLine("", 1).end, 0);
  EXPECT_EQ(CountLines(""), 1);
  EXPECT_EQ(CountLines("ab\n"), 2);
}

// The frame with a design beside which the error file of its last compilation lies.
class JumpTest : public ::testing::Test {
 public:
  JumpTest() : frame(ui) { frame.StartUp(dir.path().string()); }

  void Open(const std::string& text, const std::optional<std::string>& errors) {
    dir.Write("design.kem", text);
    if (errors) dir.Write("design.ERR", *errors);
    ASSERT_TRUE(frame.OpenFile(dir.File("design.kem")));
  }
  std::string Selected() const {
    return ui.editor_text.substr(static_cast<std::size_t>(ui.selection_start),
                                 static_cast<std::size_t>(ui.selection_end - ui.selection_start));
  }
  // The caret stands where the selection ends, as in the editor.
  void Press(int command) {
    frame.HandleCommand(command);
    ui.caret_line = static_cast<int>(
        std::count(ui.editor_text.begin(), ui.editor_text.begin() + ui.selection_end, '\n'));
  }

  TempDir dir;
  FakeUi ui;
  Frame frame;
};

const std::string kSixLines = "eins\nzwei\ndrei\nvier\nfuenf\nsechs\n";

TEST_F(JumpTest, F8AndShiftF8CycleThroughTheQuotedLines) {
  Open(kSixLines,
       "Zeile 5: E19 Bezeichner unbekannt\nE33 Pin Q kann nicht\nZeile 2: W01 ; fehlt\n");
  std::vector<std::string> seen;
  for (int i = 0; i < 3; ++i) {
    Press(kCmdNextDiagnostic);
    seen.push_back(Selected());
  }
  EXPECT_EQ(seen, (std::vector<std::string>{"zwei", "fuenf", "zwei"}));
  Press(kCmdPreviousDiagnostic);
  EXPECT_EQ(Selected(), "fuenf");
  Press(kCmdPreviousDiagnostic);
  EXPECT_EQ(Selected(), "zwei");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(JumpTest, LinesPastTheEndOfAShorterSourceGoToTheLastLine) {
  Open("eins\nzwei", "Zeile 40: W01 ; fehlt\n");
  Press(kCmdNextDiagnostic);
  EXPECT_EQ(Selected(), "zwei");
  Press(kCmdNextDiagnostic);  // the only diagnostic: it stays there
  EXPECT_EQ(Selected(), "zwei");
}

TEST_F(JumpTest, WithoutQuotedDiagnosticsF8DoesNothing) {
  const struct {
    const char* name;
    std::optional<std::string> errors;
  } cases[] = {
      {"no error file", std::nullopt},
      {"an empty error file", std::string()},
      {"only diagnostics of the whole design", "E07 CHIP-Statement nicht gefunden\n"},
  };
  for (const auto& c : cases) {
    TempDir folder;
    FakeUi fake;
    Frame own(fake);
    own.StartUp(folder.path().string());
    folder.Write("design.kem", kSixLines);
    if (c.errors) folder.Write("design.ERR", *c.errors);
    ASSERT_TRUE(own.OpenFile(folder.File("design.kem")));
    const int focused = fake.editor_focused;
    own.HandleCommand(kCmdNextDiagnostic);
    own.HandleCommand(kCmdPreviousDiagnostic);
    EXPECT_EQ(fake.editor_focused, focused) << c.name;
    EXPECT_TRUE(fake.boxes.empty()) << c.name;
  }
  // An unnamed document has no error file at all.
  frame.HandleCommand(kCmdNextDiagnostic);
  EXPECT_EQ(ui.editor_focused, 0);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(JumpTest, AChosenLineSelectsTheLineItNames) {
  Open(kSixLines, std::nullopt);
  EXPECT_TRUE(frame.JumpToDiagnostic("Zeile 3: E17 ) fehlt"));
  EXPECT_EQ(Selected(), "drei");
  const int refreshes = ui.status_refreshes;
  EXPECT_FALSE(frame.JumpToDiagnostic("Compilevorgang beendet, Warnungen: 0, Fehler: 1."));
  EXPECT_EQ(Selected(), "drei");
  EXPECT_EQ(ui.status_refreshes, refreshes);
  EXPECT_TRUE(frame.JumpToDiagnostic("Zeile 99: W01 ; fehlt"));
  EXPECT_EQ(Selected(), "");  // the last line, empty behind the final line end
  EXPECT_EQ(ui.selection_start, static_cast<int>(kSixLines.size()));
}

// The whole way: a compilation writes the error file, F8 finds the faulty statement.
TEST_F(JumpTest, F8FindsTheStatementACompilationFoundFaulty) {
  std::string design;
  ASSERT_TRUE(ReadWholeFile(EXAMPLES_DIR "/ampel.kem", design));
  design += "\nGRUEN := UNBEKANNT;\n";
  Open(design, std::nullopt);
  frame.HandleCommand(kCmdCompileOnly);
  ASSERT_NE(frame.last_run(), nullptr);
  const std::optional<std::string> errors = dir.Read("design.ERR");
  ASSERT_TRUE(errors.has_value());
  ASSERT_NE(errors->find("Zeile "), std::string::npos) << *errors;
  Press(kCmdNextDiagnostic);
  EXPECT_EQ(Selected(), "GRUEN := UNBEKANNT;") << *errors;
}

}  // namespace
}  // namespace kem
