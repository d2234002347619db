// The frame while the user keeps working: closing during a compilation, and the edit items
// following the editor between openings of the menu.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "common/command_ids.h"
#include "common/file_io.h"
#include "shell/frame.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/examples.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

using testing_support::Ampel;

using testing_support::FakeUi;
using testing_support::TempDir;

struct CloseCase {
  std::string name;
  std::function<void(Frame&)> request;  // the close box, or "Ende"
};

class PendingCloseTest : public ::testing::TestWithParam<std::tuple<CloseCase, BoxAnswer>> {
 public:
  PendingCloseTest() : frame(ui) { frame.StartUp(dir.path().string()); }

  TempDir dir;
  FakeUi ui;
  Frame frame;
};

// The question comes when the compilation has ended and sees what was typed while it ran.
TEST_P(PendingCloseTest, AsksAtTheEndForTheTextAsItIsThen) {
  const auto& [c, answer] = GetParam();
  dir.Write("ampel.kem", Ampel());
  const std::string file = dir.File("ampel.kem");
  ASSERT_TRUE(frame.OpenFile(file));
  ui.defer_compilation = true;
  frame.HandleCommand(kCmdCompileOnly);
  const int refreshes = ui.status_refreshes;

  c.request(frame);
  EXPECT_TRUE(frame.close_pending());
  EXPECT_FALSE(ui.destroyed);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_GT(ui.status_refreshes, refreshes);
  EXPECT_EQ(frame.StatusText(4), "Zeile: 5   Schließen nach dem Compilieren …");
  c.request(frame);  // asked twice, still one question
  ui.editor_text += "\n// noch getippt";
  frame.EditorTextChanged();

  ui.answers.push_back(answer);
  ui.RunPendingCompilation();
  EXPECT_EQ(ui.box_texts(),
            std::vector<std::string>{"Datei " + file + " wurde verändert. Speichern?"});
  EXPECT_FALSE(frame.close_pending());
  EXPECT_EQ(frame.StatusText(4), "Zeile: 5");
  EXPECT_EQ(*dir.Read("ampel.kem"),
            answer == BoxAnswer::kYes ? Ampel() + "\n// noch getippt" : Ampel());
  EXPECT_EQ(ui.destroyed, answer != BoxAnswer::kCancel);
  // Only a close that happens writes the settings.
  EXPECT_EQ(dir.Read("kem.ini").has_value(), answer != BoxAnswer::kCancel);
  EXPECT_NE(frame.last_run(), nullptr);  // the compilation itself is kept
}

INSTANTIATE_TEST_SUITE_P(
    Frame, PendingCloseTest,
    ::testing::Combine(
        ::testing::Values(CloseCase{"CloseBox", [](Frame& f) { EXPECT_FALSE(f.CloseRequested()); }},
                          CloseCase{"Exit", [](Frame& f) { f.HandleCommand(kCmdExit); }}),
        ::testing::Values(BoxAnswer::kYes, BoxAnswer::kNo, BoxAnswer::kCancel)),
    [](const auto& info) {
      const BoxAnswer answer = std::get<1>(info.param);
      return std::get<0>(info.param).name + (answer == BoxAnswer::kYes  ? "_Ja"
                                             : answer == BoxAnswer::kNo ? "_Nein"
                                                                        : "_Abbrechen");
    });

TEST(FrameDailyUse, CancelledPendingCloseLeavesTheNextCloseAsUsual) {
  TempDir dir;
  FakeUi ui;
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  dir.Write("ampel.kem", Ampel());
  ASSERT_TRUE(frame.OpenFile(dir.File("ampel.kem")));
  ui.defer_compilation = true;
  frame.HandleCommand(kCmdCompileOnly);
  EXPECT_FALSE(frame.CloseRequested());
  ui.editor_text += "x";
  frame.EditorTextChanged();
  ui.answers.push_back(BoxAnswer::kCancel);
  ui.RunPendingCompilation();
  EXPECT_FALSE(ui.destroyed);

  // No compilation now: the question comes at once, and the window may go.
  ui.answers.push_back(BoxAnswer::kNo);
  EXPECT_TRUE(frame.CloseRequested());
  EXPECT_EQ(ui.boxes.size(), 2u);
}

// Their shortcuts go by the items' state, so it follows the editor between openings of the menu;
// paste and the search items still wait for the menu.
TEST(FrameDailyUse, EditItemsFollowTheEditorWithoutTheMenu) {
  TempDir dir;
  FakeUi ui;
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  for (const bool on : {true, false}) {
    ui.menu_calls.clear();
    ui.can_undo = on;
    ui.selection_empty = !on;
    ui.clipboard_text = on;
    frame.EditorStateChanged();
    EXPECT_EQ(ui.menu_calls, (std::vector<std::pair<int, bool>>{
                                 {kCmdUndo, on}, {kCmdCut, on}, {kCmdCopy, on}, {kCmdDelete, on}}));
  }
  ui.can_undo = true;
  ui.selection_empty = true;
  frame.EditorStateChanged();
  EXPECT_TRUE(ui.enabled[kCmdUndo]);
  EXPECT_FALSE(ui.enabled[kCmdCut]);
}

}  // namespace
}  // namespace kem
