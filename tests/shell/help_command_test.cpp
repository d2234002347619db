#include "shell/help.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "common/command_ids.h"
#include "shell/frame.h"
#include "tests/shell/fake_ui.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

using testing_support::FakeUi;
using testing_support::TempDir;

// The frame started in a folder that may hold the help file.
class HelpCommandTest : public ::testing::Test {
 protected:
  HelpCommandTest() : frame(ui) {}

  void Start() { frame.StartUp(dir.path().string()); }
  void RunAllHelpCommands() {
    for (int command : {kCmdHelpIndex, kCmdHelpSearch, kCmdHelpContents})
      frame.HandleCommand(command);
  }

  TempDir dir;
  FakeUi ui;
  Frame frame;
};

const std::vector<HelpRequest> kAllRequests = {HelpRequest::kIndex, HelpRequest::kSearch,
                                               HelpRequest::kContents};

TEST_F(HelpCommandTest, WithoutHelpFileEveryCommandShowsTheManual) {
  Start();
  RunAllHelpCommands();
  EXPECT_EQ(ui.manual_requests, kAllRequests);
  EXPECT_TRUE(ui.help_files_opened.empty());
}

TEST_F(HelpCommandTest, HelpFileInTheStartFolderIsOpenedInstead) {
  dir.Write("kemhelp.chm", "help");
  Start();
  RunAllHelpCommands();
  const std::string path = (dir.path() / "kemhelp.chm").string();
  EXPECT_EQ(ui.help_files_opened, (std::vector<std::string>{path, path, path}));
  EXPECT_EQ(ui.help_requests, kAllRequests);
  EXPECT_TRUE(ui.manual_requests.empty());
}

TEST_F(HelpCommandTest, HelpFileWithoutHandlerFallsBackToTheManual) {
  dir.Write("kemhelp.chm", "help");
  ui.help_file_handler = false;
  Start();
  frame.HandleCommand(kCmdHelpIndex);
  EXPECT_EQ(ui.help_files_opened.size(), 1u);
  EXPECT_EQ(ui.manual_requests, std::vector<HelpRequest>{HelpRequest::kIndex});
}

TEST_F(HelpCommandTest, OnlyARegularFileCountsAsHelpFile) {
  std::filesystem::create_directory(dir.path() / "kemhelp.chm");
  Start();
  frame.HandleCommand(kCmdHelpContents);
  EXPECT_TRUE(ui.help_files_opened.empty());
  EXPECT_EQ(ui.manual_requests, std::vector<HelpRequest>{HelpRequest::kContents});
}

TEST_F(HelpCommandTest, HelpFileInAnotherFolderIsNotTaken) {
  TempDir other;
  other.Write("kemhelp.chm", "help");
  Start();
  EXPECT_FALSE(HelpFileIn(dir.path().string()));
  EXPECT_TRUE(HelpFileIn(other.path().string()));
}

}  // namespace
}  // namespace kem
