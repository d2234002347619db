#include "shell/frame.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "common/command_ids.h"
#include "common/file_io.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/examples.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

namespace kem {
namespace {

using testing_support::Ampel;

using testing_support::FakeUi;
using testing_support::TempDir;

constexpr std::string_view kCompileFirst = "Datei muss zunächst compiliert werden";
constexpr std::string_view kFitImpossible = "Fit-Vorgang nicht möglich. Fehler beim Compilieren";
constexpr std::string_view kSimulationImpossible =
    "Simulation nicht möglich. Fehler beim Compilieren";
constexpr std::string_view kFitSucceeded = "Fitterdurchgang erfolgreich beendet";
constexpr std::string_view kCleanResult = "Compilevorgang beendet, Warnungen: 0, Fehler: 0.";

// ampel with one statement that names an undeclared signal: one error, no abort.
std::string AmpelWithError() {
  return Ampel() + "\nGRUEN := UNBEKANNT;\n";
}

class FrameTest : public ::testing::Test {
 public:
  FrameTest() : frame(ui) { frame.StartUp(dir.path().string()); }

  void Type(const std::string& text) {
    ui.editor_text += text;
    frame.EditorTextChanged();
  }
  std::string OpenDesign(const std::string& name, const std::string& text) {
    dir.Write(name, text);
    ui.dialog_names.push_back(dir.File(name));
    frame.HandleCommand(kCmdOpen);
    return dir.File(name);
  }
  void CompileAmpel(int command = kCmdCompileOnly) {
    OpenDesign("ampel.kem", Ampel());
    frame.HandleCommand(command);
  }

  TempDir dir;
  FakeUi ui;
  Frame frame;
};

TEST_F(FrameTest, StartUpGraysInTheGivenOrder) {
  const std::vector<std::pair<int, bool>> expected = {
      {22, false}, {24, false}, {25, false}, {19, false}, {18, false}, {20, false}, {29, false},
      {28, false}, {32, false}, {51, false}, {27, false}, {30, false}, {31, false}, {62, false}};
  EXPECT_EQ(ui.menu_calls, expected);
  EXPECT_EQ(ui.title, "KEMWin RUZI - (ohne Namen)");
}

// Availability of the items that change, after each step; items not named stay as at start-up.
struct AvailabilityCase {
  std::string name;
  std::function<void(FrameTest&)> steps;
  std::map<int, bool> changed;  // against start-up
};

class AvailabilityTest : public FrameTest,
                         public ::testing::WithParamInterface<AvailabilityCase> {};

TEST_P(AvailabilityTest, EveryItem) {
  GetParam().steps(*this);
  std::map<int, bool> expected;
  for (const MenuPopup& popup : MainMenu()) {
    for (const MenuEntry& entry : popup.entries) {
      if (entry.id != 0) expected[entry.id] = true;
    }
  }
  for (int id : StartUpGrayedItems()) expected[id] = false;
  for (const auto& [id, on] : GetParam().changed) expected[id] = on;
  EXPECT_EQ(ui.enabled, expected);
}

const std::map<int, bool> kCompileEnabled = {{18, true}, {19, true}};
const std::map<int, bool> kAfterCompilation = {{18, true}, {19, true}, {20, true}, {51, true},
                                               {22, true}, {24, true}, {25, true}};
const std::map<int, bool> kAfterFit = {{18, true}, {19, true}, {20, true}, {51, true},
                                       {22, true}, {24, true}, {25, true}, {62, true}};

INSTANTIATE_TEST_SUITE_P(
    Frame, AvailabilityTest,
    ::testing::Values(
        AvailabilityCase{"StartUp", [](FrameTest&) {}, {}},
        AvailabilityCase{"Edit", [](FrameTest& t) { t.Type("x"); }, kCompileEnabled},
        AvailabilityCase{"New", [](FrameTest& t) { t.frame.HandleCommand(kCmdNew); },
                         kCompileEnabled},
        AvailabilityCase{"Open", [](FrameTest& t) { t.OpenDesign("a.kem", "x"); }, kCompileEnabled},
        AvailabilityCase{
            "OpenCancelled", [](FrameTest& t) { t.frame.HandleCommand(kCmdOpen); }, {}},
        AvailabilityCase{"SaveCancelledStillEnables",
                         [](FrameTest& t) { t.frame.HandleCommand(kCmdSave); }, kCompileEnabled},
        AvailabilityCase{
            "SaveAsCancelled", [](FrameTest& t) { t.frame.HandleCommand(kCmdSaveAs); }, {}},
        AvailabilityCase{"SaveAs",
                         [](FrameTest& t) {
                           t.ui.dialog_names.push_back(t.dir.File("b.kem"));
                           t.frame.HandleCommand(kCmdSaveAs);
                         },
                         kCompileEnabled},
        AvailabilityCase{"DuringCompilation",
                         [](FrameTest& t) {
                           t.CompileAmpel();
                           t.ui.enabled = t.ui.enabled_while_compiling;
                         },
                         {{21, false}}},
        AvailabilityCase{"CompileOnly", [](FrameTest& t) { t.CompileAmpel(); }, kAfterCompilation},
        AvailabilityCase{"CompileAndFit", [](FrameTest& t) { t.CompileAmpel(kCmdCompileAndFit); },
                         kAfterFit},
        // The function simulation shows a fit of the document in the editor, never another's.
        AvailabilityCase{"NewAfterCompileAndFit",
                         [](FrameTest& t) {
                           t.CompileAmpel(kCmdCompileAndFit);
                           t.frame.HandleCommand(kCmdNew);
                         },
                         kAfterCompilation},
        AvailabilityCase{"CompileOnlyAfterCompileAndFit",
                         [](FrameTest& t) {
                           t.CompileAmpel(kCmdCompileAndFit);
                           t.frame.HandleCommand(kCmdCompileOnly);
                         },
                         kAfterCompilation},
        AvailabilityCase{"EditAfterCompileAndFit",
                         [](FrameTest& t) {
                           t.CompileAmpel(kCmdCompileAndFit);
                           t.Type("x");
                         },
                         kAfterFit},
        AvailabilityCase{"FailedCompilation",
                         [](FrameTest& t) {
                           t.OpenDesign("bad.kem", AmpelWithError());
                           t.frame.HandleCommand(kCmdCompileOnly);
                         },
                         kAfterCompilation},
        AvailabilityCase{"NewAfterCompilation",
                         [](FrameTest& t) {
                           t.CompileAmpel();
                           t.frame.HandleCommand(kCmdNew);
                         },
                         kAfterCompilation},
        AvailabilityCase{"FitOnlyRefusedBeforeCompiling",
                         [](FrameTest& t) {
                           t.OpenDesign("a.kem", "x");
                           t.frame.HandleCommand(kCmdFitOnly);
                         },
                         kCompileEnabled},
        AvailabilityCase{"FitOnlyAfterOpeningACompiledDesign",
                         [](FrameTest& t) {
                           // Compiled in an earlier session: the fit still waits for a compilation.
                           t.CompileAmpel();
                           t.ui.dialog_names.push_back(t.dir.File("ampel.kem"));
                           t.frame.HandleCommand(kCmdOpen);
                           t.frame.HandleCommand(kCmdFitOnly);
                         },
                         kAfterCompilation},
        AvailabilityCase{"CompileUnnamedDoesNothing",
                         [](FrameTest& t) {
                           t.Type("x");
                           t.frame.HandleCommand(kCmdCompileOnly);
                         },
                         kCompileEnabled}),
    [](const auto& info) { return info.param.name; });

TEST_F(FrameTest, ItemsOfTheEditPopupFollowTheEditor) {
  struct Case {
    bool can_undo, selection_empty, clipboard_text;
    std::map<int, bool> expected;
  };
  const std::vector<Case> cases = {
      {false, true, false, {{8, false}, {9, false}, {10, false}, {11, false}, {12, false}}},
      {true, true, false, {{8, true}, {9, false}, {10, false}, {11, false}, {12, false}}},
      {false, false, false, {{8, false}, {9, true}, {10, true}, {11, false}, {12, true}}},
      {false, true, true, {{8, false}, {9, false}, {10, false}, {11, true}, {12, false}}},
  };
  for (const Case& c : cases) {
    ui.can_undo = c.can_undo;
    ui.selection_empty = c.selection_empty;
    ui.clipboard_text = c.clipboard_text;
    frame.EditMenuOpening();
    for (const auto& [id, on] : c.expected) EXPECT_EQ(ui.enabled[id], on) << id;
    for (int id : {13, 14, 15, 16, 17}) EXPECT_TRUE(ui.enabled[id]) << id;
  }
}

// The question before commands that would lose the text or work on the file.
struct AskCase {
  std::string name;
  int command;  // 0: the window's close request
  std::function<bool(FrameTest&)> went_on;
};

std::string AnswerName(BoxAnswer answer) {
  switch (answer) {
    case BoxAnswer::kYes:
      return "Ja";
    case BoxAnswer::kNo:
      return "Nein";
    case BoxAnswer::kCancel:
      return "Abbrechen";
    default:
      return "OK";
  }
}

class AskToSaveTest : public FrameTest,
                      public ::testing::WithParamInterface<std::tuple<AskCase, BoxAnswer>> {};

TEST_P(AskToSaveTest, AnswerDecides) {
  const auto& [c, answer] = GetParam();
  const std::string file = OpenDesign("ampel.kem", Ampel());
  dir.Write("other.kem", "other");
  Type("\n// changed");
  ui.answers.push_back(answer);
  ui.dialog_names.push_back(dir.File("other.kem"));  // for the open dialog of "Öffnen"
  bool closed = false;
  if (c.command == 0)
    closed = frame.CloseRequested();
  else
    frame.HandleCommand(c.command);

  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes[0].text, "Datei " + file + " wurde verändert. Speichern?");
  EXPECT_EQ(ui.boxes[0].icon, BoxIcon::kQuestion);
  EXPECT_EQ(ui.boxes[0].buttons, BoxButtons::kYesNoCancel);
  EXPECT_EQ(*dir.Read("ampel.kem"), answer == BoxAnswer::kYes ? Ampel() + "\n// changed" : Ampel());
  EXPECT_EQ(c.went_on(*this) || closed, answer != BoxAnswer::kCancel);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, AskToSaveTest,
    ::testing::Combine(
        ::testing::Values(
            AskCase{"New", kCmdNew, [](FrameTest& t) { return t.ui.editor_text.empty(); }},
            AskCase{
                "Open", kCmdOpen,
                [](FrameTest& t) { return t.frame.document().name() == t.dir.File("other.kem"); }},
            AskCase{"Exit", kCmdExit, [](FrameTest& t) { return t.ui.destroyed; }},
            AskCase{"Close", 0, [](FrameTest&) { return false; }},
            AskCase{"CompileOnly", kCmdCompileOnly,
                    [](FrameTest& t) { return t.ui.compilations == 1; }},
            AskCase{"CompileAndFit", kCmdCompileAndFit,
                    [](FrameTest& t) { return t.ui.compilations == 1; }},
            AskCase{"FitOnly", kCmdFitOnly,
                    [](FrameTest& t) { return t.ui.boxes.back().text == kCompileFirst; }},
            AskCase{"Simulation", kCmdStartSimulation,
                    [](FrameTest& t) { return t.ui.boxes.back().text == kCompileFirst; }}),
        ::testing::Values(BoxAnswer::kYes, BoxAnswer::kNo, BoxAnswer::kCancel)),
    [](const auto& info) {
      return std::get<0>(info.param).name + "_" + AnswerName(std::get<1>(info.param));
    });

// "Ja" to the question, then a save that does not happen: the command that asked stops, so the
// text stays in the editor instead of being discarded.
TEST_F(FrameTest, SaveThatDoesNotHappenStopsTheAskingCommand) {
  const std::string file = OpenDesign("ampel.kem", Ampel());
  Type("\n// changed");
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);  // the save cannot replace a folder
  const std::string text = ui.editor_text;
  const std::vector<int> commands = {kCmdNew, kCmdOpen, kCmdExit, kCmdCompileOnly,
                                     kCmdCompileAndFit};
  for (int command : commands) {
    ui.answers.push_back(BoxAnswer::kYes);
    frame.HandleCommand(command);
  }
  ui.answers.push_back(BoxAnswer::kYes);
  EXPECT_FALSE(frame.CloseRequested());
  std::vector<std::string> expected;
  for (std::size_t i = 0; i <= commands.size(); ++i) {
    expected.push_back("Datei " + file + " wurde verändert. Speichern?");
    expected.push_back("Kann " + file + " nicht speichern");
  }
  EXPECT_EQ(ui.box_texts(), expected);
  EXPECT_FALSE(ui.destroyed);
  EXPECT_EQ(ui.compilations, 0);
  EXPECT_EQ(ui.editor_text, text);
  EXPECT_EQ(frame.document().name(), file);
  EXPECT_TRUE(frame.modified());

  // An unnamed text whose file dialog is cancelled stays as well.
  frame.HandleCommand(kCmdNew);  // "Nein" to its question
  Type("neu");
  ui.answers.push_back(BoxAnswer::kYes);
  frame.HandleCommand(kCmdExit);
  EXPECT_FALSE(ui.destroyed);
  EXPECT_EQ(ui.editor_text, "neu");
}

TEST_F(FrameTest, NothingIsAskedWhileTheTextIsUnchanged) {
  OpenDesign("ampel.kem", Ampel());
  for (int command : {kCmdNew, kCmdCompileOnly, kCmdExit}) frame.HandleCommand(command);
  EXPECT_EQ(ui.box_texts(), std::vector<std::string>{});
  EXPECT_TRUE(ui.destroyed);
}

// "Nur Fitten" and "Start Simulation" check their own preconditions.
struct PreconditionCase {
  std::string name;
  int command;
  std::function<void(FrameTest&)> before;
  std::string_view box;        // empty: none
  std::string_view last_line;  // of the log, empty: not checked
};

class PreconditionTest : public FrameTest,
                         public ::testing::WithParamInterface<PreconditionCase> {};

TEST_P(PreconditionTest, BoxOrWork) {
  GetParam().before(*this);
  ui.boxes.clear();
  frame.HandleCommand(GetParam().command);
  if (GetParam().box.empty()) {
    EXPECT_EQ(ui.box_texts(), std::vector<std::string>{});
  } else {
    EXPECT_EQ(ui.box_texts(), std::vector<std::string>{std::string(GetParam().box)});
  }
  if (!GetParam().last_line.empty()) {
    ASSERT_FALSE(ui.log_lines.empty());
    EXPECT_EQ(ui.log_lines.back(), GetParam().last_line);
  }
}

void JustOpened(FrameTest& t) {
  t.OpenDesign("ampel.kem", Ampel());
}
void Compiled(FrameTest& t) {
  t.CompileAmpel();
}
void FailedCompilation(FrameTest& t) {
  t.OpenDesign("bad.kem", AmpelWithError());
  t.frame.HandleCommand(kCmdCompileOnly);
}
// The error file that showed the compilation clean is gone: nothing shows it clean any more.
void CompiledThenErrorFileRemoved(FrameTest& t) {
  t.CompileAmpel();
  std::filesystem::remove(t.dir.path() / "ampel.ERR");
}
INSTANTIATE_TEST_SUITE_P(
    Frame, PreconditionTest,
    ::testing::Values(
        PreconditionCase{"FitAfterOpening", kCmdFitOnly, JustOpened, kCompileFirst, {}},
        PreconditionCase{"FitAfterCleanCompilation", kCmdFitOnly, Compiled, {}, kFitSucceeded},
        PreconditionCase{
            "FitAfterFailedCompilation", kCmdFitOnly, FailedCompilation, kFitImpossible, {}},
        PreconditionCase{"FitWithoutErrorFile", kCmdFitOnly, CompiledThenErrorFileRemoved,
                         kFitImpossible, "Es traten Fehler beim Fitten auf!"},
        PreconditionCase{
            "SimulationAfterOpening", kCmdStartSimulation, JustOpened, kCompileFirst, {}},
        // Past the frame's checks, the launch looks for the simulator's files.
        PreconditionCase{"SimulationAfterCleanCompilation", kCmdStartSimulation, Compiled,
                         "KEM Simulations-Plugin nicht gefunden", kCleanResult},
        PreconditionCase{"SimulationAfterFailedCompilation",
                         kCmdStartSimulation,
                         FailedCompilation,
                         kSimulationImpossible,
                         {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(FrameTest, FirstEditOfAnUnnamedDocument) {
  Type("C");
  EXPECT_EQ(ui.title, "KEMWin RUZI -  *");
  EXPECT_TRUE(frame.modified());
  EXPECT_TRUE(ui.enabled[kCmdCompileOnly]);
  frame.HandleCommand(kCmdCompileOnly);  // no name: nothing happens, nothing is said
  EXPECT_EQ(ui.compilations, 0);
  EXPECT_EQ(ui.log_windows_shown, 0);
  EXPECT_EQ(ui.box_texts(),
            std::vector<std::string>{"Datei (ohne Namen) wurde verändert. Speichern?"});
}

TEST_F(FrameTest, TitleFollowsTheDocument) {
  const std::string file = OpenDesign("ampel.kem", Ampel());
  EXPECT_EQ(ui.title, "KEMWin RUZI - " + file);
  Type(" ");
  EXPECT_EQ(ui.title, "KEMWin RUZI - " + file + " *");
  frame.HandleCommand(kCmdSave);
  EXPECT_EQ(ui.dialogs.size(), 1u);  // named: saved without asking for a name
  EXPECT_EQ(ui.title, "KEMWin RUZI - " + file);
  EXPECT_EQ(dir.Read("ampel.kem"), Ampel() + " ");
  EXPECT_FALSE(frame.modified());
  EXPECT_TRUE(frame.compile_needed());
}

TEST_F(FrameTest, HelpCommandsIncludingF1) {
  for (int command : {kCmdHelpIndex, kCmdHelpSearch, kCmdHelpContents})
    frame.HandleCommand(command);
  EXPECT_EQ(ui.help_requests, (std::vector<HelpRequest>{HelpRequest::kIndex, HelpRequest::kSearch,
                                                        HelpRequest::kContents}));
}

class AboutTest : public FrameTest, public ::testing::WithParamInterface<int> {};

TEST_P(AboutTest, ShowsTheAboutDialog) {
  frame.HandleCommand(GetParam());
  EXPECT_EQ(ui.about_dialogs, 1);
  EXPECT_TRUE(ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Frame, AboutTest, ::testing::Values(6, 27, 28, 29, 30, 31, 32, 36, 41));

TEST_F(FrameTest, CompilationLogsInOrderAndClearsCompileNeeded) {
  CompileAmpel(kCmdCompileAndFit);
  EXPECT_FALSE(frame.compile_needed());
  EXPECT_FALSE(ui.wait_cursor);
  ASSERT_GE(ui.log_lines.size(), 4u);
  EXPECT_EQ(ui.log_lines.front(), "Text wird compiliert");
  EXPECT_EQ(ui.log_lines[ui.log_lines.size() - 2], kCleanResult);
  EXPECT_EQ(ui.log_lines.back(), kFitSucceeded);
  int statements = 0;
  int minimized = 0;
  for (std::size_t i = 1; i + 2 < ui.log_lines.size(); ++i) {
    const std::string& line = ui.log_lines[i];
    if (line.rfind("Minimierung von ", 0) == 0) {
      ++minimized;
      continue;
    }
    EXPECT_EQ(line, statements % 2 == 0 ? "." : "..") << i;
    ++statements;
  }
  EXPECT_EQ(statements, 8);
  EXPECT_EQ(minimized, 8);
  EXPECT_TRUE(dir.Exists("ampel.jed"));
}

// The items a compilation grays and brings back, in the order the window sees them, with the wait
// cursor shown while it runs.
TEST_F(FrameTest, CompilationGraysItsItemsThenBringsThemBack) {
  for (int command : {kCmdCompileOnly, kCmdCompileAndFit}) {
    OpenDesign("ampel.kem", Ampel());
    ui.menu_calls.clear();
    frame.HandleCommand(command);
    const std::vector<std::pair<int, bool>> expected = {
        {19, false},
        {18, false},
        {20, false},
        {51, false},
        {21, false},  // started
        {18, true},
        {19, true},
        {21, true},  // ended
        {20, true},
        {51, true},                          // the run taken
        {62, command == kCmdCompileAndFit},  // its fit
        {22, true},
        {24, true},
        {25, true}};  // the views
    EXPECT_EQ(ui.menu_calls, expected) << command;
    EXPECT_TRUE(ui.wait_cursor_while_compiling) << command;
    EXPECT_FALSE(ui.wait_cursor) << command;
  }
}

TEST_F(FrameTest, LinesOfSuccessiveCompilationsAccumulateUntilTheLogIsClosed) {
  CompileAmpel();
  const std::size_t first = ui.log_lines.size();
  frame.HandleCommand(kCmdCompileOnly);
  EXPECT_EQ(ui.log_windows_shown, 1);
  EXPECT_EQ(ui.log_lines.size(), 2 * first);
  EXPECT_EQ(ui.log_lines[first], "Text wird compiliert");

  frame.LogWindowClosed();
  frame.HandleCommand(kCmdCompileOnly);
  EXPECT_EQ(ui.log_windows_shown, 2);
  EXPECT_EQ(ui.log_lines.size(), first);
  EXPECT_EQ(frame.log().lines(), ui.log_lines);
}

TEST_F(FrameTest, FitOnlyWithoutLogWindowStillFits) {
  CompileAmpel();
  frame.LogWindowClosed();
  frame.HandleCommand(kCmdFitOnly);
  EXPECT_TRUE(frame.log().lines().empty());
  EXPECT_NE(dir.Read("ampel.jed").value_or(""), "");
}

TEST_F(FrameTest, OwnOutputIsNotCompiledAndSaveAsIsOffered) {
  OpenDesign("ampel.mds", Ampel());
  ui.menu_calls.clear();
  ui.answers.push_back(BoxAnswer::kYes);
  frame.HandleCommand(kCmdCompileOnly);
  EXPECT_EQ(ui.box_texts(),
            std::vector<std::string>{"Kann nicht in selbes File compilieren. Umbenennen?"});
  ASSERT_EQ(ui.dialogs.size(), 2u);
  EXPECT_EQ(ui.dialogs[1].kind, FileDialogRequest::Kind::kSave);
  // Only the views, which the frame enables whatever the driver does.
  EXPECT_EQ(ui.menu_calls, (std::vector<std::pair<int, bool>>{{22, true}, {24, true}, {25, true}}));
  EXPECT_TRUE(frame.compile_needed());
  EXPECT_EQ(frame.last_run(), nullptr);
  EXPECT_FALSE(frame.compiling());
}

TEST_F(FrameTest, ClosingDuringACompilationWaitsForIt) {
  OpenDesign("ampel.kem", Ampel());
  ui.defer_compilation = true;
  frame.HandleCommand(kCmdCompileOnly);
  EXPECT_TRUE(frame.compiling());
  EXPECT_FALSE(frame.CloseRequested());
  frame.HandleCommand(kCmdExit);
  EXPECT_FALSE(ui.destroyed);
  frame.HandleCommand(kCmdCompileOnly);  // one compilation at a time
  EXPECT_EQ(ui.compilations, 1);
  ui.RunPendingCompilation();
  EXPECT_TRUE(ui.destroyed);
  EXPECT_EQ(ui.log_lines.back(), kCleanResult);
}

TEST_F(FrameTest, TypingDuringACompilationLeavesTheCompileCommandsGrayed) {
  OpenDesign("ampel.kem", Ampel());
  ui.defer_compilation = true;
  frame.HandleCommand(kCmdCompileOnly);
  ui.enabled[kCmdCompileOnly] = ui.enabled[kCmdCompileAndFit] = false;
  Type("x");
  EXPECT_FALSE(ui.enabled[kCmdCompileOnly]);
  EXPECT_FALSE(ui.enabled[kCmdCompileAndFit]);
  ui.RunPendingCompilation();
  EXPECT_TRUE(ui.enabled[kCmdCompileOnly]);
  EXPECT_TRUE(ui.enabled[kCmdCompileAndFit]);
  EXPECT_FALSE(frame.compile_needed());  // the driver clears it at its end, as written
}

TEST_F(FrameTest, StatusLineIsRefreshedOnInputAndTextChanges) {
  frame.EditorInput();
  Type("a");
  EXPECT_EQ(ui.status_refreshes, 2);
  EXPECT_EQ(StatusLineText(0), "Zeile: 1");
  EXPECT_EQ(StatusLineText(41), "Zeile: 42");
}

TEST_F(FrameTest, TextLimitIsReportedWithAStopIcon) {
  frame.EditorTextLimitReached();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Kapazitätsgrenzen sind erreicht");
  EXPECT_EQ(ui.boxes[0].icon, BoxIcon::kError);
}

TEST_F(FrameTest, OpenAndSaveDialogs) {
  frame.HandleCommand(kCmdOpen);
  frame.HandleCommand(kCmdSaveAs);
  ASSERT_EQ(ui.dialogs.size(), 2u);
  const FileDialogRequest& open = ui.dialogs[0];
  EXPECT_EQ(open.title, "Datei öffnen");
  ASSERT_EQ(open.filters.size(), 3u);
  EXPECT_EQ(open.filters[0].label, "(*.gal*, *.kem*, *.mds*)");
  EXPECT_EQ(open.filters[0].patterns, "*.gal*; *.kem*; *.mds*");
  EXPECT_EQ(open.filters[1].label, "(*.jed*)");
  EXPECT_EQ(open.filters[2].patterns, "*.*");
  EXPECT_EQ(open.default_extension, "kem");
  const FileDialogRequest& save = ui.dialogs[1];
  EXPECT_EQ(save.title, "Datei speichern unter...");
  ASSERT_EQ(save.filters.size(), 1u);
  EXPECT_EQ(save.filters[0].label, "(*.kem)");
  EXPECT_EQ(save.filters[0].patterns, "*.kem*");
  EXPECT_EQ(save.default_extension, "kem");
}

// Fonts: from the settings file or the system, remade on cancel, given to later windows.
TEST(FrameFonts, SettingsFontOrSystemFont) {
  TempDir dir;
  FakeUi ui;
  {
    Frame frame(ui);
    frame.StartUp(dir.path().string());
    ASSERT_EQ(ui.applied_fonts.size(), 1u);
    EXPECT_EQ(ui.applied_fonts[0].face_name, "System");
    EXPECT_EQ(frame.line_height(), 18);
    EXPECT_EQ(frame.minimization_level(), 2);
  }
  dir.Write("kem.ini",
            "KEMWinMinLevel=NOMIN\nFont_Set=-13 0 0 0 700 1 0 0 0 0 0 0 49 Courier New\n");
  ui.applied_fonts.clear();
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  ASSERT_EQ(ui.applied_fonts.size(), 1u);
  EXPECT_EQ(ui.applied_fonts[0].face_name, "Courier New");
  EXPECT_EQ(ui.applied_fonts[0].weight, 700);
  EXPECT_EQ(frame.minimization_level(), 0);
}

// The settings file is rewritten at every orderly exit, whether anything changed or not.
struct ExitCase {
  std::string name;
  std::function<void(Frame&)> exit;
};

class FrameSettingsExit : public ::testing::TestWithParam<ExitCase> {};

TEST_P(FrameSettingsExit, RewritesTheFileWithThreeLines) {
  TempDir dir;
  dir.Write("kem.ini", "KEMWin_Port=LPT2\nKEMWinMinLevel=NOMIN\n");
  FakeUi ui;
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  EXPECT_TRUE(frame.settings_changed());
  GetParam().exit(frame);
  EXPECT_EQ(dir.Read("kem.ini"),
            "KEMWin_Port=NoLPT\nKEMWinMinLevel=NOMIN\nFont_Set=16 0 0 0 0 0 0 0 0 0 0 0 0 "
            "System\n");
  EXPECT_TRUE(ui.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Frame, FrameSettingsExit,
    ::testing::Values(ExitCase{"ExitCommand", [](Frame& f) { f.HandleCommand(kCmdExit); }},
                      ExitCase{"CloseRequest", [](Frame& f) { EXPECT_TRUE(f.CloseRequested()); }}),
    [](const ::testing::TestParamInfo<ExitCase>& info) { return info.param.name; });

// kem.ini's part: a fitted design of its family gets that part's file and the programmer line in
// the LOG, another family's keeps its own; the part stays in the settings the IDE writes back.
TEST(FrameSettings, PartOfTheSettingsFileMakesTheFittedFileThePartsOfItsFamily) {
  struct Case {
    std::string_view part;
    std::string_view name;  // as the part table spells it
    int command;
    bool applies;
  };
  for (const Case& c : {Case{"atf16v8c", "ATF16V8C", kCmdCompileAndFit, true},
                        Case{"ATF16V8B", "ATF16V8B", kCmdFitOnly, true},
                        Case{"atf22v10c", "ATF22V10C", kCmdFitOnly, false}}) {
    SCOPED_TRACE(c.part);
    TempDir dir;
    dir.Write("kem.ini", "KEMWinPart=" + std::string(c.part) + "\n");
    dir.Write("ampel.kem", Ampel());
    FakeUi ui;
    Frame frame(ui);
    frame.StartUp(dir.path().string());
    ui.dialog_names.push_back(dir.File("ampel.kem"));
    frame.HandleCommand(kCmdOpen);
    if (c.command == kCmdFitOnly) frame.HandleCommand(kCmdCompileOnly);
    frame.HandleCommand(c.command);
    const std::string jedec = dir.Read("ampel.jed").value_or("");
    const std::string upper(c.name);
    EXPECT_EQ(jedec.find("PART " + upper) != std::string::npos, c.applies);
    EXPECT_NE(jedec.find("QF2194*"), std::string::npos);
    ASSERT_FALSE(ui.log_lines.empty());
    EXPECT_EQ(ui.log_lines.back(), c.applies ? "Im Programmiergerät " + upper +
                                                   " wählen: JEDEC-Datei mit 2194 Fuses (QF2194)"
                                             : std::string(kFitSucceeded));
    EXPECT_TRUE(ui.boxes.empty());
    frame.HandleCommand(kCmdExit);
    EXPECT_NE(dir.Read("kem.ini").value_or("").find("KEMWinPart=" + upper + "\n"),
              std::string::npos);
  }
}

TEST(FrameSettings, RunWithoutAFileCreatesOne) {
  TempDir dir;
  FakeUi ui;
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  frame.HandleCommand(kCmdExit);
  const Settings written = ReadSettingsFile(dir.File("kem.ini"));
  EXPECT_TRUE(written.font_read);
  EXPECT_EQ(written.font.face_name, "System");
  EXPECT_EQ(written.minimization_level, 2);
}

TEST(FrameSettings, UnwritableFileGivesTheWarningAndTheExitGoesOn) {
  TempDir dir;
  std::filesystem::create_directory(dir.path() / "kem.ini");
  FakeUi ui;
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  frame.HandleCommand(kCmdExit);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Ini-File konnte nicht gespeichert werden!");
  EXPECT_EQ(ui.boxes[0].icon, BoxIcon::kWarning);
  EXPECT_EQ(ui.boxes[0].buttons, BoxButtons::kOk);
  EXPECT_TRUE(ui.destroyed);
}

// A settings file that cannot be read gives the defaults at start-up; one that cannot be written
// at exit gives the warning, stays as it was, and the exit goes on. Permission bits only count for
// an unprivileged process, so each case makes its files there.
TEST(FrameSettings, UnreadableFileOrFolderWithoutWritePermission) {
  namespace fs = std::filesystem;
  struct Case {
    std::string name;
    std::string target;  // the file or folder whose permissions are taken away
    fs::perms perms;
  };
  const std::vector<Case> cases = {
      {"unreadable file", "kem.ini", fs::perms::none},
      {"folder without write permission", "", fs::perms::owner_read | fs::perms::owner_exec},
  };
  for (const Case& c : cases) {
    const auto body = [&c] {
      testing_support::Checks check;
      TempDir dir;
      if (!c.target.empty())
        dir.Write(c.target, "KEMWinMinLevel=NOMIN\nFont_Set=-13 0 0 0 700 1 0 0 0 0 0 0 49 Mono\n");
      const auto before = dir.Snapshot();
      fs::permissions(dir.path() / c.target, c.perms);
      FakeUi ui;
      Frame frame(ui);
      frame.StartUp(dir.path().string());
      check.Equal(frame.minimization_level(), 2, "level");
      check.Equal(frame.font().face_name, "System", "font");
      frame.HandleCommand(kCmdExit);
      fs::permissions(dir.path() / c.target, fs::perms::owner_all);
      check.Equal(ui.box_texts(),
                  std::vector<std::string>{"Ini-File konnte nicht gespeichert werden!"}, "boxes");
      check.True(!ui.boxes.empty() && ui.boxes[0].icon == BoxIcon::kWarning, "warning icon");
      check.True(ui.destroyed, "exit goes on");
      check.SameFiles(dir.Snapshot(), before, "files");
      return check.failures();
    };
    EXPECT_TRUE(testing_support::Passed(testing_support::RunUnprivileged(body))) << c.name;
  }
}

// A save the folder refuses keeps the text in the editor and the document modified, under its
// name, and changes neither the file nor its backup.
TEST(FrameSave, FailedSaveKeepsTheTextAndTheFiles) {
  namespace fs = std::filesystem;
  const auto body = [] {
    testing_support::Checks check;
    TempDir dir;
    fs::create_directory(dir.path() / "work");
    dir.Write("work/ampel.kem", Ampel());
    dir.Write("work/ampel.bak", "older backup");
    FakeUi ui;
    Frame frame(ui);
    frame.StartUp(dir.path().string());
    ui.dialog_names.push_back(dir.File("work/ampel.kem"));
    frame.HandleCommand(kCmdOpen);
    ui.editor_text += "\n// geändert";
    frame.EditorTextChanged();
    const std::string text = ui.editor_text;
    fs::permissions(dir.path() / "work/ampel.kem", fs::perms::owner_read);
    fs::permissions(dir.path() / "work", fs::perms::owner_read | fs::perms::owner_exec);
    const auto before = dir.Snapshot();

    frame.HandleCommand(kCmdSave);
    ui.dialog_names.push_back(dir.File("work/neu.kem"));
    frame.HandleCommand(kCmdSaveAs);

    check.Equal(ui.box_texts(),
                std::vector<std::string>{"Kann " + dir.File("work/ampel.kem") + " nicht speichern",
                                         "Kann " + dir.File("work/neu.kem") + " nicht speichern"},
                "boxes");
    check.True(frame.modified(), "still modified");
    check.Equal(ui.title, "KEMWin RUZI - " + dir.File("work/ampel.kem") + " *", "title");
    check.Equal(frame.document().name(), dir.File("work/ampel.kem"), "document name");
    check.Equal(ui.editor_text, text, "editor text");
    check.SameFiles(dir.Snapshot(), before, "files");
    return check.failures();
  };
  EXPECT_TRUE(testing_support::Passed(testing_support::RunUnprivileged(body)));
}

// The level dialog opens on the current level; OK takes the last button clicked.
struct LevelDialogCase {
  std::string name;
  std::vector<int> clicks;
  bool ok;
  int level;  // afterwards, from Espresso
};

class FrameLevelDialog : public FrameTest, public ::testing::WithParamInterface<LevelDialogCase> {};

TEST_P(FrameLevelDialog, ChangesTheLevelOnlyOnOk) {
  ui.level_clicks = GetParam().clicks;
  ui.level_ok = GetParam().ok;
  frame.HandleCommand(kCmdMinimizationOption);
  EXPECT_EQ(ui.level_dialogs, std::vector<int>{223});  // "&Espresso" checked at the start
  EXPECT_EQ(frame.minimization_level(), GetParam().level);
  EXPECT_TRUE(frame.settings_changed());
}

INSTANTIATE_TEST_SUITE_P(
    Frame, FrameLevelDialog,
    ::testing::Values(LevelDialogCase{"NoneOk", {221}, true, 0},
                      LevelDialogCase{"LastClickCounts", {221, 222}, true, 1},
                      LevelDialogCase{"NoClickOk", {}, true, 2},
                      LevelDialogCase{"Cancelled", {221}, false, 2},
                      LevelDialogCase{"UnknownIdGivesEspresso", {221, 5}, true, 2}),
    [](const ::testing::TestParamInfo<LevelDialogCase>& info) { return info.param.name; });

TEST(FrameSettings, LevelChosenInTheDialogIsUsedAndSaved) {
  TempDir dir;
  dir.Write("ampel.kem", Ampel());
  FakeUi ui;
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  ui.level_clicks = {222};
  ui.level_ok = true;
  frame.HandleCommand(kCmdMinimizationOption);
  frame.HandleCommand(kCmdMinimizationOption);
  EXPECT_EQ(ui.level_dialogs, (std::vector<int>{223, 222}));
  ui.dialog_names.push_back(dir.File("ampel.kem"));
  frame.HandleCommand(kCmdOpen);
  frame.HandleCommand(kCmdCompileOnly);
  ASSERT_NE(frame.last_run(), nullptr);
  EXPECT_EQ(frame.last_run()->options.minimization_level, 1);
  frame.HandleCommand(kCmdExit);
  EXPECT_EQ(ReadSettingsFile(dir.File("kem.ini")).minimization_level, 1);
}

// Go to line in a text of 100 lines, 10 of them visible, 18 pixels each.
struct GoToLineCase {
  std::string name;
  std::optional<std::string> field;
  int first_visible;        // -1: no scrolling, only the focus
  std::vector<int> clicks;  // y of the simulated clicks
  int caret_line;
};

class FrameGoToLine : public FrameTest, public ::testing::WithParamInterface<GoToLineCase> {};

TEST_P(FrameGoToLine, PlacesTheCaret) {
  const GoToLineCase& c = GetParam();
  for (int i = 1; i < 100; ++i) ui.editor_text += "line\n";
  ui.caret_line = 50;
  ui.first_visible = 45;
  ui.line_field = c.field;
  frame.HandleCommand(kCmdGoToLine);
  EXPECT_EQ(ui.line_dialogs, 1);
  EXPECT_EQ(ui.clicks, c.clicks);
  EXPECT_EQ(ui.caret_line, c.caret_line);
  EXPECT_EQ(ui.editor_focused, c.first_visible < 0 ? 1 : 0);
  if (c.first_visible >= 0) {
    EXPECT_EQ(ui.first_visible, c.first_visible);
  }
  EXPECT_EQ(ui.status_refreshes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Frame, FrameGoToLine,
    ::testing::Values(GoToLineCase{"Cancelled", std::nullopt, -1, {}, 50},
                      GoToLineCase{"EmptyFieldIsCancel", "", -1, {}, 50},
                      GoToLineCase{"ZeroIsNoLine", "0", -1, {}, 50},
                      GoToLineCase{"FirstLine", "1", 0, {0}, 0},
                      GoToLineCase{"LineToTheTop", "42", 41, {0}, 41},
                      // The text ends first: a second click (94 - 90) lines further down.
                      GoToLineCase{"NearTheEnd", "95", 90, {0, 4 * 18}, 94},
                      GoToLineCase{"BeyondTheEnd", "9999", 90, {0, 9908 * 18}, 99},
                      GoToLineCase{"FourDigitsTaken", "00123", 11, {0}, 11}),
    [](const ::testing::TestParamInfo<GoToLineCase>& info) { return info.param.name; });

// Find and replace: requests of the dialogs on a scripted editor text.
class FrameSearch : public FrameTest {
 public:
  FindRequest Request(std::string find, std::string replace = {}) {
    FindRequest request;
    request.find_text = std::move(find);
    request.replace_text = std::move(replace);
    return request;
  }
  void FindNext(const std::string& text) {
    FindRequest request = Request(text);
    request.find_next = true;
    frame.HandleFindRequest(request);
  }
  void ReplaceAll(const std::string& text, const std::string& replace) {
    FindRequest request = Request(text, replace);
    request.replace_all = true;
    frame.HandleFindRequest(request);
  }
  std::pair<int, int> Selection() const { return {ui.selection_start, ui.selection_end}; }
};

TEST_F(FrameSearch, FindNextSelectsEachMatchThenSaysNotFound) {
  ui.editor_text = "xabcabc";
  frame.HandleCommand(kCmdFind);
  ASSERT_EQ(ui.find_dialogs.size(), 1u);
  EXPECT_FALSE(ui.find_dialogs[0].replace);
  FindNext("abc");
  EXPECT_EQ(Selection(), std::make_pair(1, 4));
  FindNext("abc");
  EXPECT_EQ(Selection(), std::make_pair(4, 7));
  EXPECT_TRUE(ui.boxes.empty());
  FindNext("abc");
  EXPECT_EQ(Selection(), std::make_pair(4, 7));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Text nicht gefunden!");
  EXPECT_EQ(ui.boxes[0].icon, BoxIcon::kWarning);
}

TEST_F(FrameSearch, CaseSensitiveAndNothingPastTheEnd) {
  ui.editor_text = "abc";
  FindNext("ABC");
  EXPECT_EQ(ui.boxes.size(), 1u);
  FindNext("abc");
  ui.editor_text = "a";  // the text became shorter than the search position
  FindNext("a");
  EXPECT_EQ(ui.boxes.size(), 2u);
}

struct ReplaceAllCase {
  std::string text, find, replace, result;
  std::size_t boxes;
};

class FrameReplaceAll : public FrameSearch, public ::testing::WithParamInterface<ReplaceAllCase> {};

TEST_P(FrameReplaceAll, ReplacesEveryMatchOnce) {
  const ReplaceAllCase& c = GetParam();
  ui.editor_text = c.text;
  ReplaceAll(c.find, c.replace);
  EXPECT_EQ(ui.editor_text, c.result);
  EXPECT_EQ(ui.boxes.size(), c.boxes);
}

INSTANTIATE_TEST_SUITE_P(Frame, FrameReplaceAll,
                         ::testing::Values(ReplaceAllCase{"aXa", "a", "aa", "aaXaa", 0},
                                           ReplaceAllCase{"ababab", "ab", "c", "ccc", 0},
                                           ReplaceAllCase{"xyz", "q", "r", "xyz", 1},
                                           ReplaceAllCase{"xyz", "", "r", "xyz", 1}));

TEST_F(FrameSearch, SingleReplaceChangesOnlyTheSelection) {
  ui.editor_text = "one two";
  FindRequest replace = Request("two", "2");
  replace.replace = true;
  frame.HandleFindRequest(replace);  // nothing selected: nothing replaced, no message
  EXPECT_EQ(ui.editor_text, "one two");
  EXPECT_TRUE(ui.boxes.empty());
  FindNext("two");
  frame.HandleFindRequest(replace);
  EXPECT_EQ(ui.editor_text, "one 2");
}

TEST_F(FrameSearch, FindNextCommandRepeatsTheLastSearchFromTheSelection) {
  ui.editor_text = "ab ab ab";
  frame.HandleCommand(kCmdFindNext);  // no find text yet: the dialog opens
  ASSERT_EQ(ui.find_dialogs.size(), 1u);
  FindRequest close = Request("ab");
  close.closing = true;
  frame.HandleFindRequest(close);
  EXPECT_FALSE(frame.find_dialog_open());
  ui.selection_start = ui.selection_end = 2;
  frame.HandleCommand(kCmdFindNext);
  EXPECT_EQ(Selection(), std::make_pair(3, 5));
  frame.HandleCommand(kCmdFindNext);
  frame.HandleCommand(kCmdFindNext);  // nothing more: no message
  EXPECT_EQ(Selection(), std::make_pair(6, 8));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(ui.find_dialogs.size(), 1u);
}

TEST_F(FrameSearch, OneDialogAtATimeWithTheSharedTexts) {
  frame.HandleCommand(kCmdReplace);
  EXPECT_TRUE(frame.find_dialog_open());
  frame.EditMenuOpening();
  for (int id : {kCmdFind, kCmdFindNext, kCmdReplace}) EXPECT_FALSE(ui.enabled[id]) << id;
  frame.HandleCommand(kCmdFind);
  EXPECT_EQ(ui.find_dialogs.size(), 1u);
  FindRequest close = Request("alt", "neu");
  close.closing = true;
  frame.HandleFindRequest(close);
  frame.EditMenuOpening();
  for (int id : {kCmdFind, kCmdFindNext, kCmdReplace}) EXPECT_TRUE(ui.enabled[id]) << id;
  frame.HandleCommand(kCmdFind);
  ASSERT_EQ(ui.find_dialogs.size(), 2u);
  EXPECT_TRUE(ui.find_dialogs[0].replace);
  EXPECT_EQ(ui.find_dialogs[1].find_text, "alt");
  EXPECT_EQ(ui.find_dialogs[1].replace_text, "neu");
}

// The simulator launch after a clean compilation: its files and the Java launcher, checked in
// this order, then the program with its arguments.
class FrameSimulation : public FrameTest {
 public:
  void Launch() {
    ui.boxes.clear();
    frame.HandleCommand(kCmdStartSimulation);
  }
};

TEST_F(FrameSimulation, MissingPluginIsReportedFirst) {
  CompileAmpel();
  Launch();
  EXPECT_EQ(ui.box_texts(), std::vector<std::string>{"KEM Simulations-Plugin nicht gefunden"});
  EXPECT_TRUE(ui.programs_run.empty());
}

TEST_F(FrameSimulation, MissingIntermediateFileThenMissingJava) {
  CompileAmpel();
  dir.Write("voruzo.jar", "jar");
  std::filesystem::remove(dir.path() / "ampel.boo");
  Launch();
  EXPECT_EQ(ui.box_texts(), std::vector<std::string>{"Zwischendatei " + dir.File("ampel.boo") +
                                                     " existiert nicht"});
  frame.HandleCommand(kCmdCompileOnly);
  Launch();
  EXPECT_EQ(ui.box_texts(),
            std::vector<std::string>{"JVM nicht gefunden, wird für KEM Simulation benötigt"});
  EXPECT_TRUE(ui.programs_run.empty());
}

TEST_F(FrameSimulation, StartsTheSimulatorWithPluginAndIntermediateFile) {
  dir.Write("voruzo.jar", "jar");
  ui.programs["java"] = "/opt/jre/bin/java";
  ui.programs["javaw.exe"] = "C:\\jre\\bin\\javaw.exe";
  for (const std::string name : {"ampel.kem", "ampel"}) {
    OpenDesign(name, Ampel());
    frame.HandleCommand(kCmdCompileOnly);
    Launch();
    EXPECT_TRUE(ui.boxes.empty());
  }
  ASSERT_EQ(ui.programs_run.size(), 2u);
  const std::string launcher = ui.programs[std::string(
#ifdef _WIN32
      "javaw.exe"
#else
      "java"
#endif
      )];
  EXPECT_EQ(ui.programs_run[0].program, launcher);
  EXPECT_EQ(ui.programs_run[0].arguments,
            (std::vector<std::string>{"-jar", dir.File("voruzo.jar"), dir.File("ampel.boo")}));
  // Without an extension the name gets the dot the derived names need.
  EXPECT_EQ(ui.programs_run[1].arguments,
            (std::vector<std::string>{"-jar", dir.File("voruzo.jar"), dir.File("ampel.boo")}));
}

bool SameFont(const FontDescription& a, const FontDescription& b) {
  return a.face_name == b.face_name && a.height == b.height && a.weight == b.weight &&
         a.italic == b.italic;
}

TEST_F(FrameTest, CancelledFontDialogRemakesTheSameFont) {
  frame.HandleCommand(kCmdFonts);
  ASSERT_EQ(ui.applied_fonts.size(), 2u);
  EXPECT_TRUE(SameFont(ui.applied_fonts[1], ui.applied_fonts[0]));
}

TEST_F(FrameTest, ChosenFontReachesEditorLogAndLaterViews) {
  CompileAmpel(kCmdCompileAndFit);
  frame.HandleCommand(kCmdViewJedec);  // opened before the change: keeps its font
  FontDescription chosen;
  chosen.face_name = "Mono";
  chosen.height = -20;
  ui.font_choice = chosen;
  frame.HandleCommand(kCmdFonts);
  EXPECT_TRUE(SameFont(ui.applied_fonts.back(), chosen));
  EXPECT_TRUE(SameFont(*ui.log_font, chosen));
  EXPECT_EQ(frame.line_height(), -18);
  EXPECT_EQ(ui.views[kViewJedec].font.face_name, "System");
  frame.HandleCommand(kCmdViewEquations);
  EXPECT_TRUE(SameFont(ui.views[kViewEquations].font, chosen));
}

// "Importieren": a source that translates becomes a new, unsaved design with the notes in the
// LOG; one that does not leaves the document as it was and its errors in the LOG.
TEST_F(FrameTest, ImportOpensTheTranslationAsANewUnsavedDesign) {
  const std::string opened = OpenDesign("ampel.kem", Ampel());
  dir.Write("bad.pld", "GAL16V8\nS\nA B C D E F G H I GND\nJ K L M N O P Q Y VCC\nY = Z\n");
  ui.dialog_names.push_back(dir.File("bad.pld"));
  frame.HandleCommand(kCmdImport);
  EXPECT_EQ(ui.editor_text, Ampel());
  ASSERT_EQ(ui.log_lines.size(), 1u);
  EXPECT_EQ(ui.log_lines[0], dir.File("bad.pld") + ":5: error: Z ist weder Pin noch Variable");

  dir.Write("good.pld", "GAL16V8\nS\nA B C D E F G H I GND\nJ K L M N O P Q Y VCC\nY = A\n");
  ui.dialog_names.push_back(dir.File("good.pld"));
  frame.HandleCommand(kCmdImport);
  EXPECT_NE(ui.editor_text.find("CHIP good GAL16V8 SIMPLE_MODE USER_ID = S\n"), std::string::npos);
  EXPECT_EQ(ui.title.substr(ui.title.size() - 2), " *");  // unsaved
  EXPECT_NE(ui.log_lines.back().find("note: Modus SIMPLE_MODE"), std::string::npos);
}

}  // namespace
}  // namespace kem
