#include "shell/document.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>

#include "common/format.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/temp_dir.h"
#include "tests/support/unprivileged.h"

namespace kem {
namespace {

using testing_support::FakeUi;
using testing_support::TempDir;

class DocumentTest : public ::testing::Test {
 protected:
  // Opens `name` after writing `bytes` to it.
  bool Open(const std::string& name, const std::string& bytes) {
    dir.Write(name, bytes);
    return document.OpenFile(dir.File(name));
  }
  bool SaveAs(const std::string& name) {
    ui.dialog_names.push_back(dir.File(name));
    return document.SaveDocument(true);
  }

  TempDir dir;
  FakeUi ui;
  Document document{ui};
  FontDescription font;
};

TEST_F(DocumentTest, SavingTwiceKeepsTheFirstTextAsBackup) {
  ASSERT_TRUE(Open("ampel.kem", "original"));
  ui.editor_text = "first";
  ASSERT_TRUE(document.SaveDocument(false));
  ui.editor_text = "second";
  ASSERT_TRUE(document.SaveDocument(false));
  EXPECT_EQ(dir.Read("ampel.kem"), "second");
  EXPECT_EQ(dir.Read("ampel.bak"), "first");
}

TEST_F(DocumentTest, NoBackupWithoutAnExtension) {
  std::filesystem::create_directories(dir.path() / "v1.2");
  ASSERT_TRUE(Open("v1.2/ampel", "old"));
  ui.editor_text = "new";
  ASSERT_TRUE(document.SaveDocument(false));
  EXPECT_EQ(dir.Read("v1.2/ampel"), "new");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "v1.2"),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(DocumentTest, SavedFileKeepsItsPermissions) {
  namespace fs = std::filesystem;
  ASSERT_TRUE(Open("ampel.kem", "old"));
  const fs::perms own = fs::perms::owner_read | fs::perms::owner_write;
  fs::permissions(dir.path() / "ampel.kem", own);
  ui.editor_text = "new";
  ASSERT_TRUE(document.SaveDocument(false));
  EXPECT_EQ(fs::status(dir.path() / "ampel.kem").permissions(), own);
}

TEST(BackupName, LastElevenCharactersUpToASeparator) {
  struct Case {
    std::string name;
    std::optional<std::string> backup;
  };
  const std::vector<Case> cases = {
      {"C:\\gal\\ampel.kem", "C:\\gal\\ampel.bak"},
      {"/gal/ampel.kem", "/gal/ampel.bak"},
      {"/gal/ampel", std::nullopt},
      {"C:\\gal\\ampel", std::nullopt},
      {"/gal.d/ampel", std::nullopt},
      {"/gal/ampel.abcdefghij", "/gal/ampel.bak"},  // ten characters: replaced
      {"/gal/ampel.abcdefghijk", std::nullopt},     // eleven: no dot in reach
      {"/gal/ampel.", "/gal/ampel.bak"},
      {"/gal/ampel.bak", std::nullopt},  // would be its own backup
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(BackupName(c.name), c.backup) << c.name;
}

// Opening and saving unchanged gives the same bytes, whatever their encoding and line ends.
TEST_F(DocumentTest, UnchangedTextKeepsEveryByte) {
  const std::vector<std::string> files = {
      "CHIP a GAL16V8\n// Ampel grün\n",
      "CHIP a GAL16V8\r\n// Ampel gr\xFCn \x80 \xA0\r\n",
      "mixed\r\nends\nand a lone\rreturn",
      "\xEF\xBB\xBFwith BOM\n",
      "no line end",
      "undefined \x81\x8D\x8F\x90\x9D bytes",
  };
  for (const std::string& bytes : files) {
    ASSERT_TRUE(Open("a.kem", bytes));
    ASSERT_TRUE(SaveAs("b.kem"));
    EXPECT_EQ(dir.Read("b.kem"), bytes);
    // Through the editor's text as well: a reopened file reads the same.
    ASSERT_TRUE(document.OpenFile(dir.File("b.kem")));
    ui.editor_text += "x";
    ASSERT_TRUE(document.SaveDocument(false));
    ASSERT_TRUE(document.OpenFile(dir.File("b.kem")));
    EXPECT_EQ(ui.editor_text.back(), 'x');
  }
}

TEST_F(DocumentTest, ChangedTextKeepsEncodingAndLineEnds) {
  struct Case {
    std::string bytes;
    std::string appended;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"gr\xFCn\r\nrot\r\n", "gelb\n", "gr\xFCn\r\nrot\r\ngelb\r\n"},
      {"gr\xC3\xBCn\nrot\n", "gelb\n", "gr\xC3\xBCn\nrot\ngelb\n"},
      {"a\xFC\n", "\xE2\x82\xAC", "a\xFC\n\x80"},  // the euro sign has a Windows-1252 byte
      // An arrow has none: the file becomes UTF-8 rather than lose it.
      {"a\xFC\n", "\xE2\x86\x92", "a\xC3\xBC\n\xE2\x86\x92"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Open("a.kem", c.bytes));
    ui.editor_text += c.appended;
    ASSERT_TRUE(document.SaveDocument(false));
    EXPECT_EQ(dir.Read("a.kem"), c.expected);
  }
}

TEST_F(DocumentTest, SavedFileHasNoTrailingZeroAndOneWithItReadsTheSame) {
  ASSERT_TRUE(Open("a.kem", std::string("text\0", 5)));
  EXPECT_EQ(ui.editor_text, "text");
  ui.editor_text = "other";
  ASSERT_TRUE(document.SaveDocument(false));
  EXPECT_EQ(dir.Read("a.kem"), "other");
  ASSERT_TRUE(Open("c.kem", std::string("up to\0 the zero", 15)));
  EXPECT_EQ(ui.editor_text, "up to");
}

// A failed or cancelled open leaves name, text and views as they were.
TEST_F(DocumentTest, FailedOpenChangesNothing) {
  ASSERT_TRUE(Open("ampel.kem", "text"));
  const std::string name = document.name();
  struct Case {
    std::string file;
    std::string message;
  };
  dir.Write("empty.kem", "");
  std::filesystem::create_directories(dir.path() / "folder.kem");
  const std::vector<Case> cases = {
      {dir.File("empty.kem"), "Datei " + dir.File("empty.kem") + " ist leer"},
      {dir.File("missing.kem"),
       "Datei " + dir.File("missing.kem") + " konnte nicht geöffnet werden."},
      {dir.File("folder.kem"),
       "Datei " + dir.File("folder.kem") + " konnte nicht geöffnet werden."},
  };
  for (const Case& c : cases) {
    ui.boxes.clear();
    ui.dialog_names.push_back(c.file);
    EXPECT_FALSE(document.OpenDocument());
    EXPECT_EQ(ui.box_texts(), std::vector<std::string>{c.message});
    EXPECT_EQ(document.name(), name);
    EXPECT_EQ(ui.editor_text, "text");
  }
  EXPECT_FALSE(document.OpenDocument());  // cancelled
  EXPECT_EQ(document.name(), name);
}

TEST_F(DocumentTest, FailedSaveKeepsTheNameAndSaysWhy) {
  ui.editor_text = "text";
  const std::string target = dir.File("no/such/folder/a.kem");
  ui.dialog_names.push_back(target);
  EXPECT_FALSE(document.SaveDocument(false));
  EXPECT_EQ(ui.box_texts(), std::vector<std::string>{"Kann " + target + " nicht speichern"});
  EXPECT_EQ(document.name(), "");
  EXPECT_FALSE(document.SaveDocument(true));  // cancelled dialog
  EXPECT_EQ(ui.boxes.size(), 1u);
}

TEST_F(DocumentTest, ViewTwiceLeavesOneViewWithTheNewerText) {
  ASSERT_TRUE(Open("ampel.kem", "x"));
  dir.Write("ampel.mds", "first");
  document.OpenView(kViewEquations, false, font);
  dir.Write("ampel.mds", "second");
  document.OpenView(kViewEquations, false, font);
  ASSERT_EQ(ui.views.size(), 1u);
  EXPECT_EQ(ui.views[kViewEquations].text, "second");
  EXPECT_EQ(ui.views[kViewEquations].caption, dir.File("ampel.mds"));
}

TEST_F(DocumentTest, ErrorViewWaitsForACompilationWhileTheJedecViewDoesNot) {
  ASSERT_TRUE(Open("ampel.kem", "x"));
  dir.Write("ampel.ERR", "E07 CHIP-Statement nicht gefunden\n");
  dir.Write("ampel.jed", "\x02jedec\x03");
  document.OpenView(kViewErrors, true, font);
  document.OpenView(kViewJedec, true, font);
  EXPECT_EQ(ui.box_texts(), std::vector<std::string>{"Datei muss zunächst compiliert werden"});
  EXPECT_EQ(ui.views.count(kViewErrors), 0u);
  EXPECT_EQ(ui.views[kViewJedec].text, "\x02jedec\x03");
}

TEST_F(DocumentTest, ErrorViewFindsTheCompilersErrorFile) {
  ASSERT_TRUE(Open("ampel.kem", "x"));
  dir.Write("ampel.ERR", "E04 Fehler beim Öffnen der Datei.\n");
  document.OpenView(kViewErrors, false, font);
  EXPECT_EQ(ui.views[kViewErrors].caption, dir.File("ampel.ERR"));
  dir.Write("ampel.err", "own");
  document.OpenView(kViewErrors, false, font);
  EXPECT_EQ(ui.views[kViewErrors].text, "own");
}

TEST_F(DocumentTest, FailedViewIsClosedAndReported) {
  ASSERT_TRUE(Open("ampel.kem", "x"));
  dir.Write("ampel.fit", "fit");
  document.OpenView(kViewFit, false, font);
  std::filesystem::remove(dir.path() / "ampel.fit");
  document.OpenView(kViewFit, false, font);
  EXPECT_FALSE(document.view_open(kViewFit));
  EXPECT_EQ(ui.views.count(kViewFit), 0u);
  EXPECT_EQ(ui.box_texts(), std::vector<std::string>{"Datei " + dir.File("ampel.fit") +
                                                     " konnte nicht geöffnet werden."});
}

TEST_F(DocumentTest, OpenAndSaveCloseEveryView) {
  ASSERT_TRUE(Open("ampel.kem", "x"));
  for (const char* name : {"ampel.mds", "ampel.err", "ampel.jed"}) dir.Write(name, name);
  for (int kind : {kViewEquations, kViewErrors, kViewJedec}) document.OpenView(kind, false, font);
  ASSERT_EQ(ui.views.size(), 3u);
  ASSERT_TRUE(document.SaveDocument(false));
  EXPECT_TRUE(ui.views.empty());
  document.OpenView(kViewJedec, false, font);
  document.ViewClosed(kViewJedec);  // the user closed it
  EXPECT_FALSE(document.view_open(kViewJedec));
  ASSERT_TRUE(Open("other.kem", "y"));
  EXPECT_TRUE(ui.views.count(kViewJedec));  // already gone for the frame: not closed again
}

TEST_F(DocumentTest, ViewNamesFollowTheStem) {
  EXPECT_EQ(ViewFileName("/gal/ampel.kem", kViewEquations), "/gal/ampel.mds");
  EXPECT_EQ(ViewFileName("/gal/ampel", kViewJedec), "/gal/ampel.jed");
  EXPECT_EQ(ViewFileName("/gal/ampel.long", kViewFit), "/gal/ampel.long.fit");
  EXPECT_EQ(ViewKindOfCommand(22), kViewErrors);
  EXPECT_EQ(ViewKindOfCommand(24), kViewEquations);
  EXPECT_EQ(ViewKindOfCommand(25), kViewJedec);
  EXPECT_EQ(ViewKindOfCommand(26), kViewFit);
  EXPECT_EQ(ViewKindOfCommand(23), -1);
}

// Saves and opens that the file system refuses. A failed save leaves the document, the editor's
// text, the previous file and its backup exactly as they were, and says why. Permission bits only
// count for an unprivileged process, so each case makes its files there.

namespace fs = std::filesystem;
using testing_support::Checks;
using testing_support::Passed;
using testing_support::RunInChildProcess;
using testing_support::RunUnprivileged;

constexpr fs::perms kReadOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec;

struct FailedSaveCase {
  std::string name;
  std::string target;  // the name saved under, in the folder "work"
  std::function<void(const TempDir&)> refuse;
  std::string message;  // %s is the target's full name
  bool disk_fills_up = false;
};

TEST(DocumentFileSystem, FailedSaveChangesNothing) {
  const std::vector<FailedSaveCase> cases = {
      {"new name in a folder without write permission", "neu.kem",
       [](const TempDir& d) { fs::permissions(d.path() / "work", kReadOnlyFolder); },
       "Kann %s nicht speichern"},
      {"existing file in a folder without write permission", "ampel.kem",
       [](const TempDir& d) { fs::permissions(d.path() / "work", kReadOnlyFolder); },
       "Kann %s nicht speichern"},
      {"write-protected file", "ampel.kem",
       [](const TempDir& d) {
         fs::permissions(d.path() / "work/ampel.kem", fs::perms::owner_read);
       },
       "Kann %s nicht speichern"},
      {"write-protected file in a folder without write permission", "ampel.kem",
       [](const TempDir& d) {
         fs::permissions(d.path() / "work/ampel.kem", fs::perms::owner_read);
         fs::permissions(d.path() / "work", kReadOnlyFolder);
       },
       "Kann %s nicht speichern"},
      {"name of a folder", "ordner.kem",
       [](const TempDir& d) {
         fs::create_directory(d.path() / "work/ordner.kem");
         d.Write("work/ordner.bak", "backup beside the folder");
       },
       "Kann %s nicht speichern"},
      {"disk full halfway", "ampel.kem", [](const TempDir&) {}, "Fehler beim Schreiben von %s",
       true},
  };
  for (const FailedSaveCase& c : cases) {
    const auto body = [&c] {
      Checks check;
      TempDir dir;
      fs::create_directory(dir.path() / "work");
      dir.Write("work/ampel.kem", "saved text");
      dir.Write("work/ampel.bak", "older backup");
      FakeUi ui;
      Document document(ui);
      check.True(document.OpenFile(dir.File("work/ampel.kem")), "opened");
      ui.editor_text = "changed text " + std::string(c.disk_fills_up ? 100000 : 0, 'x');
      const std::string text = ui.editor_text;
      c.refuse(dir);
      const auto before = dir.Snapshot();
      if (c.disk_fills_up) {
        std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending us
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
      }
      if (c.target != "ampel.kem") ui.dialog_names.push_back(dir.File("work/" + c.target));
      check.True(!document.SaveDocument(c.target != "ampel.kem"), "reported as failed");
      check.Equal(ui.box_texts(),
                  std::vector<std::string>{FormatText(c.message, {dir.File("work/" + c.target)})},
                  "message");
      check.Equal(document.name(), dir.File("work/ampel.kem"), "document name");
      check.Equal(ui.editor_text, text, "editor text");
      check.SameFiles(dir.Snapshot(), before, "files");
      return check.failures();
    };
    EXPECT_TRUE(Passed(c.disk_fills_up ? RunInChildProcess(body, true) : RunUnprivileged(body)))
        << c.name;
  }
}

TEST(DocumentFileSystem, UnreadableFileIsNotOpened) {
  const auto body = [] {
    Checks check;
    TempDir dir;
    dir.Write("ampel.kem", "first");
    dir.Write("geheim.kem", "second");
    FakeUi ui;
    Document document(ui);
    check.True(document.OpenFile(dir.File("ampel.kem")), "opened");
    fs::permissions(dir.path() / "geheim.kem", fs::perms::none);
    check.True(!document.OpenFile(dir.File("geheim.kem")), "reported as failed");
    check.Equal(ui.box_texts(),
                std::vector<std::string>{"Datei " + dir.File("geheim.kem") +
                                         " konnte nicht geöffnet werden."},
                "message");
    check.Equal(document.name(), dir.File("ampel.kem"), "document name");
    check.Equal(ui.editor_text, "first", "editor text");
    return check.failures();
  };
  EXPECT_TRUE(Passed(RunUnprivileged(body)));
}

}  // namespace
}  // namespace kem
