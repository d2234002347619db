// The frame as a desktop program: recent files, dropped files, and the keys beside the
// accelerator table.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/command_ids.h"
#include "shell/frame.h"
#include "shell/menu_table.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

using testing_support::FakeUi;
using testing_support::TempDir;
using Names = std::vector<std::string>;

constexpr std::string_view kDesign = "CHIP test GAL16V8\n";

// The fake window system, also keeping the recent-file entries of the menu.
class RecentUi : public FakeUi {
 public:
  void SetRecentFiles(const std::vector<RecentFileItem>& items) override { menu = items; }
  std::vector<std::string> menu_texts() const {
    std::vector<std::string> texts;
    for (const RecentFileItem& item : menu) texts.push_back(item.text);
    return texts;
  }
  std::vector<RecentFileItem> menu;
};

class DesktopFrameTest : public ::testing::Test {
 public:
  DesktopFrameTest() { frame.StartUp(dir.path().string()); }

  std::string Design(const std::string& name) {
    dir.Write(name, std::string(kDesign));
    return dir.File(name);
  }
  std::string Open(const std::string& name) {
    ui.dialog_names.push_back(Design(name));
    frame.HandleCommand(kCmdOpen);
    return dir.File(name);
  }
  void Type(const std::string& text) {
    ui.editor_text += text;
    frame.EditorTextChanged();
  }

  TempDir dir;
  RecentUi ui;
  Frame frame{ui};
};

TEST_F(DesktopFrameTest, OpenedAndSavedFilesBecomeMenuEntriesAndReachTheSettingsFile) {
  EXPECT_TRUE(ui.menu.empty());
  const std::string a = Open("a.kem");
  const std::string b = Open("b.kem");
  Type("x");
  ui.dialog_names.push_back(dir.File("c.kem"));
  frame.HandleCommand(kCmdSaveAs);
  EXPECT_EQ(ui.menu_texts(), (Names{"&1 " + dir.File("c.kem"), "&2 " + b, "&3 " + a}));
  EXPECT_EQ(ui.menu[2].command_id, kCmdRecentFileFirst + 2);
  frame.HandleCommand(kCmdNew);  // an unnamed document is no entry
  EXPECT_EQ(ui.menu.size(), 3u);

  frame.ShutDown();
  const Settings written = ReadSettingsFile(dir.File("kem.ini"));
  EXPECT_EQ(RecentFiles(written.recent_files).names(), (Names{dir.File("c.kem"), b, a}));

  // The next run starts with the same entries.
  RecentUi next_ui;
  Frame next(next_ui);
  next.StartUp(dir.path().string());
  EXPECT_EQ(next_ui.menu_texts(), ui.menu_texts());
}

TEST_F(DesktopFrameTest, ChoosingAnEntryAsksToSaveFirstAndOpensIt) {
  const std::string a = Open("a.kem");
  Open("b.kem");
  Type("changed");
  ui.answers = {BoxAnswer::kCancel};
  frame.HandleCommand(kCmdRecentFileFirst + 1);
  EXPECT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(frame.document().name(), dir.File("b.kem"));  // Abbrechen: nothing happened
  EXPECT_TRUE(frame.modified());

  ui.answers = {BoxAnswer::kNo};
  frame.HandleCommand(kCmdRecentFileFirst + 1);
  EXPECT_EQ(frame.document().name(), a);
  EXPECT_EQ(ui.editor_text, kDesign);
  EXPECT_FALSE(frame.modified());
  EXPECT_TRUE(frame.compile_needed());
  EXPECT_EQ(ui.menu_texts(), (Names{"&1 " + a, "&2 " + dir.File("b.kem")}));
  EXPECT_EQ(ui.title, "KEMWin RUZI - " + a);
}

TEST_F(DesktopFrameTest, AMissingFileIsReportedAndLeavesTheList) {
  const std::string a = Open("a.kem");
  const std::string b = Open("b.kem");
  std::filesystem::remove(a);
  frame.HandleCommand(kCmdRecentFileFirst + 1);
  EXPECT_EQ(ui.box_texts(), (Names{"Datei " + a + " konnte nicht geöffnet werden."}));
  EXPECT_EQ(frame.document().name(), b);
  EXPECT_EQ(ui.menu_texts(), (Names{"&1 " + b}));
  // An entry that exists but cannot be loaded stays.
  dir.Write("b.kem", "");
  Open("c.kem");
  frame.HandleCommand(kCmdRecentFileFirst + 1);
  EXPECT_EQ(ui.box_texts().back(), "Datei " + b + " ist leer");
  EXPECT_EQ(frame.recent_files().names().size(), 2u);
  frame.HandleCommand(kCmdRecentFileFirst + 5);  // no such entry: nothing
  EXPECT_EQ(ui.boxes.size(), 2u);
}

TEST_F(DesktopFrameTest, ADroppedDesignOpensAsOpenDoesOtherFilesAreIgnored) {
  const std::string jed = dir.File("a.jed");
  dir.Write("a.jed", "x");
  Type("changed");
  EXPECT_FALSE(frame.OpenDroppedFile(jed));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(frame.modified());

  const std::string design = Design("dropped.KEM");
  ui.answers = {BoxAnswer::kCancel};
  EXPECT_TRUE(frame.OpenDroppedFile(design));
  EXPECT_EQ(ui.boxes.size(), 1u);  // asked first; Abbrechen keeps the text
  EXPECT_TRUE(frame.modified());
  ui.answers = {BoxAnswer::kNo};
  EXPECT_TRUE(frame.OpenDroppedFile(design));
  EXPECT_EQ(frame.document().name(), design);
  EXPECT_EQ(ui.editor_text, kDesign);
  EXPECT_EQ(ui.menu_texts(), (Names{"&1 " + design}));
}

// Where a conventional key is one of the accelerator table, the table's command keeps it.
TEST(Keys, TheAcceleratorTableWinsEveryKey) {
  const std::vector<Accelerator> keys = AllKeys();
  std::set<std::string_view> seen;
  for (const Accelerator& key : keys) EXPECT_TRUE(seen.insert(key.key).second) << key.key;
  const auto table = Accelerators();
  ASSERT_GE(keys.size(), table.size());
  EXPECT_TRUE(std::equal(table.begin(), table.end(), keys.begin(),
                         [](const Accelerator& a, const Accelerator& b) {
                           return a.key == b.key && a.command_id == b.command_id;
                         }));
}

// The find keys work again once the dialog that grayed them is closed, without the menu opening.
TEST_F(DesktopFrameTest, ClosingTheFindDialogMakesTheFindKeysAvailable) {
  frame.HandleCommand(kCmdFind);
  frame.EditMenuOpening();
  EXPECT_FALSE(ui.enabled[kCmdFind]);
  FindRequest close;
  close.closing = true;
  frame.HandleFindRequest(close);
  for (int id : {kCmdFind, kCmdFindNext, kCmdReplace}) EXPECT_TRUE(ui.enabled[id]) << id;
  frame.HandleCommand(kCmdReplace);
  EXPECT_EQ(ui.find_dialogs.size(), 2u);
}

}  // namespace
}  // namespace kem
