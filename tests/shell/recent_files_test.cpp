#include "shell/recent_files.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "shell/diagnostic_lines.h"
#include "shell/menu_table.h"
#include "shell/settings.h"

namespace kem {
namespace {

using Names = std::vector<std::string>;

TEST(RecentFiles, MostRecentFirstWithoutDuplicatesAtMostEight) {
  RecentFiles recent;
  recent.Add("/a.kem");
  recent.Add("/b.kem");
  recent.Add("/a.kem");  // chosen again: moves to the front, once
  EXPECT_EQ(recent.names(), (Names{"/a.kem", "/b.kem"}));
  for (int i = 0; i < 10; ++i) recent.Add("/f" + std::to_string(i) + ".kem");
  ASSERT_EQ(recent.names().size(), kRecentFilesMax);
  EXPECT_EQ(recent.names().front(), "/f9.kem");
  EXPECT_EQ(recent.names().back(), "/f2.kem");  // the oldest beyond eight have gone
  recent.Remove("/f5.kem");
  recent.Add("");  // an unnamed document is never an entry
  EXPECT_EQ(recent.names().size(), kRecentFilesMax - 1);
}

TEST(RecentFiles, CommandsAndMenuTexts) {
  RecentFiles recent(std::vector<std::string>{"/x/b & c.kem", "", "/x/a.kem", "/x/a.kem"});
  EXPECT_EQ(recent.names(), (Names{"/x/b & c.kem", "/x/a.kem"}));
  const std::vector<RecentFileItem> items = recent.MenuItems();
  ASSERT_EQ(items.size(), 2u);
  EXPECT_EQ(items[0].command_id, kCmdRecentFileFirst);
  EXPECT_EQ(items[0].text, "&1 /x/b && c.kem");  // a name's "&" shows as itself
  EXPECT_EQ(items[1].text, "&2 /x/a.kem");
  EXPECT_EQ(recent.NameOfCommand(kCmdRecentFileFirst + 1), "/x/a.kem");
  EXPECT_EQ(recent.NameOfCommand(kCmdRecentFileFirst + 2), "");
  EXPECT_EQ(recent.NameOfCommand(kCmdRecentFileFirst - 1), "");
}

// Commands are dispatched by id alone: an entry sharing an id with a menu item or a key would
// carry out the other command.
TEST(RecentFiles, EntriesShareNoCommandIdWithMenuOrKeys) {
  std::set<int> taken;
  for (const MenuPopup& popup : MainMenu())
    for (const MenuEntry& entry : popup.entries) taken.insert(entry.id);
  for (const Accelerator& key : kDiagnosticKeys) EXPECT_TRUE(taken.insert(key.command_id).second);
  for (std::size_t i = 0; i < kRecentFilesMax; ++i)
    EXPECT_TRUE(taken.insert(kCmdRecentFileFirst + static_cast<int>(i)).second) << i;
}

TEST(RecentFiles, DesignFileNames) {
  EXPECT_TRUE(IsDesignFileName("/home/x/ampel.kem"));
  EXPECT_TRUE(IsDesignFileName("C:\\GAL\\AMPEL.KEM"));
  EXPECT_FALSE(IsDesignFileName("/home/x/ampel.jed"));
  EXPECT_FALSE(IsDesignFileName("/home/x/ampel.kem.bak"));
  EXPECT_FALSE(IsDesignFileName(".kem"));
}

// Names as paths come: long, with blanks, "=", "%", tabs, a line end, a key of the file inside.
const std::vector<std::string> kAwkwardNames = {
    "/home/user/Eigene Dateien/Projekte mit langen Namen/Ampelsteuerung/ampel.kem",
    "/tmp/a=b/Font_Set=1 2 3/x.kem",
    "/tmp/100%/KEMWinMinLevel=NOMIN.kem",
    "/tmp/tab\there/line\nend.kem",
    "/tmp/Ümlaute/größe.kem",
};

TEST(RecentFilesInSettings, WrittenAndReadBack) {
  Settings settings;
  settings.minimization_level = 0;
  settings.font = {-13, 0, 0, 0, 400, 0, 0, 0, 0, 3, 2, 1, 49, ""};
  settings.recent_files = RecentFiles(kAwkwardNames).Slots();
  const Settings back = ParseSettings(FormatSettings(settings));
  EXPECT_EQ(RecentFiles(back.recent_files).names(), kAwkwardNames);
  EXPECT_EQ(back.minimization_level, 0);
  ASSERT_TRUE(back.font_read);
  EXPECT_EQ(back.font.face_name, "");  // the font line stays last: an empty name stays empty
  EXPECT_EQ(FormatSettings(back), FormatSettings(settings));
}

// A reader that knows nothing of recent files sees tokens with unknown keys only: each entry is
// one line of one token, and the three settings lines keep their form.
TEST(RecentFilesInSettings, OlderReadersSeeOneUnknownTokenPerEntry) {
  Settings settings;
  settings.minimization_level = 1;
  settings.font = {-13, 0, 0, 0, 700, 0, 0, 0, 0, 3, 2, 1, 49, "Courier New"};
  const std::string three_lines = FormatSettings(settings);
  settings.recent_files = RecentFiles(kAwkwardNames).Slots();
  const std::string text = FormatSettings(settings);
  ASSERT_TRUE(text.ends_with(three_lines));
  std::istringstream lines(text.substr(0, text.size() - three_lines.size()));
  int entries = 0;
  for (std::string line; std::getline(lines, line); ++entries) {
    EXPECT_EQ(line.find_first_of(" \t\r\v\f"), std::string::npos) << line;
    EXPECT_TRUE(line.starts_with("KEMWin_Recent" + std::to_string(entries + 1) + "=")) << line;
  }
  EXPECT_EQ(entries, static_cast<int>(kAwkwardNames.size()));
}

TEST(RecentFilesInSettings, OldFilesReadUnchangedAndKeysOverride) {
  const std::string old_file =
      "KEMWin_Port=NoLPT\nKEMWinMinLevel=NOMIN\nFont_Set=-13 0 0 0 400 0 0 0 0 3 2 1 49 Mono\n";
  const Settings old = ParseSettings(old_file);
  EXPECT_TRUE(RecentFiles(old.recent_files).names().empty());
  EXPECT_EQ(FormatSettings(old), old_file);
  // A later line for a position overrides an earlier one; positions beyond eight, malformed
  // escapes and other keys with the same beginning are no entries of their own.
  const Settings s = ParseSettings(
      "KEMWin_Recent2=/b.kem\nKEMWin_Recent1=/old.kem\nKEMWin_Recent1=/new%20one%zz%4.kem\n"
      "KEMWin_Recent9=/nine.kem\nKEMWin_Recent10=/ten.kem\nKEMWin_Recentx=/x.kem\n");
  EXPECT_EQ(RecentFiles(s.recent_files).names(), (Names{"/new one%zz%4.kem", "/b.kem"}));
  EXPECT_EQ(s.minimization_level, 2);
}

}  // namespace
}  // namespace kem
