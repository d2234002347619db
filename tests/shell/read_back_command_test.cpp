// "JEDEC-Datei einlesen ...": a JEDEC file becomes a new, unsaved document that compiles and fits
// like any design; a file that cannot be read back changes nothing.
#include <gtest/gtest.h>

#include <string>

#include "common/command_ids.h"
#include "common/file_io.h"
#include "shell/frame.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

using testing_support::FakeUi;
using testing_support::TempDir;

TEST(ReadBackCommand, JedecFileBecomesAnUnsavedDocumentThatFits) {
  TempDir dir;
  std::string jedec;
  ASSERT_TRUE(ReadWholeFile(FOREIGN_DIR "/cnt22.jed", jedec));
  dir.Write("cnt22.jed", jedec);
  FakeUi ui;
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  ui.dialog_names = {dir.File("cnt22.jed")};
  frame.HandleCommand(kCmdImportJedec);
  EXPECT_EQ(ui.dialogs.back().title, "JEDEC-Datei einlesen");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(ui.editor_text.rfind("/*\n * Aus cnt22.jed zurückgelesen (GAL22V10).", 0), 0u);
  EXPECT_NE(ui.editor_text.find("CHIP cnt22 GAL22V10 USER_ID = COUNT3"), std::string::npos);
  EXPECT_EQ(ui.title, "KEMWin RUZI - (ohne Namen, aus cnt22.jed) *");
  EXPECT_TRUE(frame.modified());
  EXPECT_TRUE(frame.document().name().empty());

  // Saved under a name of its own, it compiles and fits as any design.
  ui.dialog_names = {dir.File("zaehler.kem")};
  frame.HandleCommand(kCmdSaveAs);
  frame.HandleCommand(kCmdCompileAndFit);
  EXPECT_TRUE(frame.has_fitted_design());
  EXPECT_EQ(*dir.Read("cnt22.jed"), jedec);
}

TEST(ReadBackCommand, UnreadableFileChangesNothing) {
  TempDir dir;
  dir.Write("broken.jed", "\x02QF12*L0 1*\x03");
  dir.Write("design.kem", "CHIP d GAL16V8\n");
  FakeUi ui;
  Frame frame(ui);
  frame.StartUp(dir.path().string());
  ASSERT_TRUE(frame.OpenFile(dir.File("design.kem")));
  const std::string title = ui.title;
  ui.dialog_names = {dir.File("broken.jed")};
  frame.HandleCommand(kCmdImportJedec);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, BoxKind::kFailure);
  EXPECT_EQ(ui.editor_text, "CHIP d GAL16V8\n");
  EXPECT_EQ(ui.title, title);
  EXPECT_EQ(frame.document().name(), dir.File("design.kem"));
}

}  // namespace
}  // namespace kem
