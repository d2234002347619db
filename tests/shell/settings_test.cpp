#include "shell/settings.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

namespace kem {
namespace {

struct LevelCase {
  const char* text;
  int level;
};

class SettingsLevel : public testing::TestWithParam<LevelCase> {};

TEST_P(SettingsLevel, ReadsTheMinimizationLevel) {
  EXPECT_EQ(ParseSettings(GetParam().text).minimization_level, GetParam().level) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, SettingsLevel,
    testing::Values(LevelCase{"", 2}, LevelCase{"KEMWinMinLevel=NOMIN\n", 0},
                    LevelCase{"KEMWinMinLevel=STRONGMIN\r\n", 1},
                    LevelCase{"KEMWinMinLevel=ESPRESSO", 2},
                    LevelCase{"KEMWinMinLevel = NOMIN\n", 2},  // three tokens, none a setting
                    LevelCase{"KEMWinMinLevel=nomin\n", 2},
                    LevelCase{"KEMWinMinLevel=NOMIN\nKEMWinMinLevel=STRONGMIN\n", 1},
                    LevelCase{"KEMWinMinLevel=STRONGMIN KEMWinMinLevel=bogus", 1},
                    LevelCase{"kemwinminlevel=NOMIN", 2},
                    // The face name runs to the end of its line and is no setting of its own.
                    LevelCase{"Font_Set=-13 0 0 0 400 0 0 0 0 3 2 1 49 KEMWinMinLevel=NOMIN\n", 2},
                    LevelCase{"KEMWinMinLevel=NOMINxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
                              2},
                    LevelCase{"X=1 KEMWinMinLevel=NOMIN", 0}));

TEST(Settings, FontLineWithSpacesInTheFaceName) {
  const Settings s = ParseSettings(
      "KEMWin_Port=LPT2\nKEMWinMinLevel=NOMIN\nFont_Set=-13 0 0 0 700 1 0 0 0 3 2 1 305 Courier "
      "New Bold\r\nKEMWinMinLevel=STRONGMIN\n");
  ASSERT_TRUE(s.font_read);
  EXPECT_EQ(s.font.height, -13);
  EXPECT_EQ(s.font.weight, 700);
  EXPECT_EQ(s.font.italic, 1);
  EXPECT_EQ(s.font.char_set, 0);
  EXPECT_EQ(s.font.out_precision, 3);
  EXPECT_EQ(s.font.pitch_and_family, 305 & 0xFF);  // byte fields keep the low 8 bits
  EXPECT_EQ(s.font.face_name, "Courier New Bold");
  EXPECT_EQ(s.minimization_level, 1);
  EXPECT_EQ(s.port, kPortNone);  // the port always starts as "NoLPT"
  EXPECT_TRUE(s.settings_changed);
}

// Numbers far beyond any field read alike on every platform: a digit string is counted only up to
// a bound, the field then keeps its low bits.
TEST(Settings, HugeNumbersAreBoundedAlikeEverywhere) {
  const Settings s = ParseSettings(
      "Font_Set=-99999999999999999999 123456789012345678901234567890 0 0 400 0 0 0 0 3 2 1 "
      "4294967297 Mono\n");
  ASSERT_TRUE(s.font_read);
  // The bound stops counting at 10^12 - 1 or above; 999999999999 keeps its low 32 bits.
  EXPECT_EQ(s.font.height, static_cast<std::int32_t>(-999999999999LL));
  EXPECT_EQ(s.font.width, static_cast<std::int32_t>(123456789012LL));
  EXPECT_EQ(s.font.pitch_and_family, 1);  // 4294967297 & 0xFF
  EXPECT_EQ(s.font.face_name, "Mono");
}

TEST(Settings, ShortFontLineIsIgnored) {
  const Settings s = ParseSettings("Font_Set=-13 0 0 x\nKEMWinMinLevel=NOMIN");
  EXPECT_FALSE(s.font_read);
  EXPECT_EQ(s.minimization_level, 0);
}

TEST(Settings, FaceNameKeepsThirtyOneCharacters) {
  const Settings s =
      ParseSettings("Font_Set=1 2 3 4 5 6 7 8 9 10 11 12 13\n" + std::string(40, 'F') + "\n");
  ASSERT_TRUE(s.font_read);
  EXPECT_EQ(s.font.face_name, std::string(31, 'F'));
}

// Line-end debris is no part of a face name: a name written back reads back the same.
TEST(Settings, FaceNameEndsBeforeCarriageReturnsAndZeroBytes) {
  for (const std::string& line_end : {std::string("\r\r\n"), std::string("\r\0\0\n", 4)}) {
    const Settings read =
        ParseSettings("Font_Set=-16 0 0 0 700 1 0 0 0 3 2 1 4 Courier" + line_end);
    EXPECT_EQ(read.font.face_name, "Courier");
    EXPECT_EQ(FormatSettings(ParseSettings(FormatSettings(read))), FormatSettings(read));
  }
}

TEST(Settings, MissingOrUnreadableFileGivesDefaults) {
  testing_support::TempDir dir;
  EXPECT_EQ(ReadSettingsFile(dir.File("kem.ini")).minimization_level, 2);
  std::filesystem::create_directory(dir.path() / "folder.ini");
  EXPECT_EQ(ReadSettingsFile(dir.File("folder.ini")).minimization_level, 2);
  dir.Write("kem.ini", "KEMWinMinLevel=NOMIN\n");
  EXPECT_EQ(ReadSettingsFile(dir.File("kem.ini")).minimization_level, 0);
}

TEST(SettingsWriter, ThreeLinesInTheirFormats) {
  Settings s;
  s.minimization_level = 1;
  s.font = {-13, 0, 0, 0, 700, 1, 0, 0, 0, 3, 2, 1, 49, "Courier New"};
  EXPECT_EQ(FormatSettings(s),
            "KEMWin_Port=NoLPT\nKEMWinMinLevel=STRONGMIN\n"
            "Font_Set=-13 0 0 0 700 1 0 0 0 3 2 1 49 Courier New\n");
}

TEST(SettingsWriter, RoundTripKeepsLevelAndFont) {
  for (int level = 0; level < 3; ++level) {
    Settings s;
    s.minimization_level = level;
    s.font = {-16, 7, 900, 900, 400, 0, 1, 1, 255, 3, 2, 1, 0xB1, "DejaVu Sans Mono Book"};
    const Settings back = ParseSettings(FormatSettings(s));
    EXPECT_EQ(back.minimization_level, level);
    ASSERT_TRUE(back.font_read);
    EXPECT_EQ(FormatSettings(back), FormatSettings(s));
  }
}

TEST(SettingsWriter, ReadPortIsWrittenBackAsNone) {
  const Settings s = ParseSettings("KEMWin_Port=LPT2\nKEMWinMinLevel=NOMIN\n");
  EXPECT_EQ(FormatSettings(s).substr(0, 18), "KEMWin_Port=NoLPT\n");
}

TEST(SettingsWriter, ReplacesTheFileAndFailsOnAFolder) {
  testing_support::TempDir dir;
  dir.Write("kem.ini", std::string(500, 'x'));
  ASSERT_TRUE(WriteSettingsFile(dir.File("kem.ini"), Settings{}));
  EXPECT_EQ(dir.Read("kem.ini"), FormatSettings(Settings{}));
  std::filesystem::create_directory(dir.path() / "folder.ini");
  EXPECT_FALSE(WriteSettingsFile(dir.File("folder.ini"), Settings{}));
}

// A settings file that cannot be read gives the defaults; one that cannot be written is left as
// it was, whether the folder takes no file, the file is protected, or the disk fills up halfway.
// Permission bits only count for an unprivileged process, so each case makes its files there.

namespace fs = std::filesystem;
using testing_support::Checks;
using testing_support::Passed;
using testing_support::RunUnprivileged;
using testing_support::TempDir;

constexpr const char* kStoredSettings =
    "KEMWin_Port=NoLPT\nKEMWinMinLevel=NOMIN\nFont_Set=-13 0 0 0 700 1 0 0 0 3 2 1 49 Courier\n";

TEST(SettingsFileSystem, UnreadableFileGivesDefaults) {
  const auto body = [] {
    Checks check;
    TempDir dir;
    dir.Write("kem.ini", kStoredSettings);
    fs::permissions(dir.path() / "kem.ini", fs::perms::none);
    const Settings s = ReadSettingsFile(dir.File("kem.ini"));
    check.Equal(s.minimization_level, 2, "level");
    check.True(!s.font_read, "no font");
    check.True(s.settings_changed, "written at exit");
    return check.failures();
  };
  EXPECT_TRUE(Passed(RunUnprivileged(body)));
}

TEST(SettingsFileSystem, FileThatCannotBeWrittenStaysAsItWas) {
  struct Case {
    std::string name;
    std::string target;  // the file or folder whose permissions are taken away
    fs::perms perms;
    bool with_file = true;
  };
  const std::vector<Case> cases = {
      {"folder without write permission, no file", "",
       fs::perms::owner_read | fs::perms::owner_exec, false},
      // No new file can take the old one's place, and the old one is not rewritten in place.
      {"folder without write permission, holding the file", "",
       fs::perms::owner_read | fs::perms::owner_exec},
      {"write-protected file", "kem.ini", fs::perms::owner_read},
      {"unreadable file", "kem.ini", fs::perms::none},
  };
  for (const Case& c : cases) {
    const auto body = [&c] {
      Checks check;
      TempDir dir;
      if (c.with_file) dir.Write("kem.ini", kStoredSettings);
      const auto before = dir.Snapshot();
      fs::permissions(dir.path() / c.target, c.perms);
      const bool written = WriteSettingsFile(dir.File("kem.ini"), Settings{});
      fs::permissions(dir.path() / c.target, fs::perms::owner_all);
      check.True(!written, "reported as not written");
      check.SameFiles(dir.Snapshot(), before, "files");
      return check.failures();
    };
    EXPECT_TRUE(Passed(RunUnprivileged(body))) << c.name;
  }
}

// A link at the name is replaced by the file; where it led stays as it was.
TEST(SettingsWriter, ReplacesALinkAndLeavesItsTarget) {
  TempDir dir;
  fs::create_directory(dir.path() / "elsewhere");
  dir.Write("elsewhere/real.ini", kStoredSettings);
  fs::create_symlink(dir.path() / "elsewhere/real.ini", dir.path() / "kem.ini");
  ASSERT_TRUE(WriteSettingsFile(dir.File("kem.ini"), Settings{}));
  EXPECT_FALSE(fs::is_symlink(dir.path() / "kem.ini"));
  EXPECT_EQ(dir.Read("kem.ini"), FormatSettings(Settings{}));
  EXPECT_EQ(dir.Read("elsewhere/real.ini"), kStoredSettings);
}

// A disk that fills up while the file is written: the write fails and the old file stays whole.
TEST(SettingsFileSystem, WriteCutShortKeepsTheOldFile) {
  const auto body = [] {
    Checks check;
    TempDir dir;
    dir.Write("kem.ini", "KEMWinMinLevel=NOMIN\n");
    const auto before = dir.Snapshot();
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
    const rlimit limit{40, 40};
    setrlimit(RLIMIT_FSIZE, &limit);
    check.True(!WriteSettingsFile(dir.File("kem.ini"), Settings{}), "reported as not written");
    check.SameFiles(dir.Snapshot(), before, "files");
    return check.failures();
  };
  EXPECT_TRUE(Passed(testing_support::RunInChildProcess(body, true)));
}

}  // namespace
}  // namespace kem
