// Outputs that take their names only when whole, and the registry that lets an interrupt remove
// what is not.
#include "common/output_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "common/interrupt_cleanup.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::TempDir;

TEST(OutputFile, TheNameKeepsItsOldContentsUntilPublished) {
  TempDir dir;
  dir.Write("out.txt", "old");
  fs::permissions(dir.path() / "out.txt",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  OutputFile file;
  ASSERT_TRUE(file.Create(dir.File("out.txt")));
  std::fputs("new", file.stream());
  ASSERT_TRUE(file.Finish());
  EXPECT_EQ(dir.Read("out.txt"), "old");
  EXPECT_EQ(dir.Snapshot().size(), 2u);  // the old file and the new one beside it
  ASSERT_TRUE(file.Publish());
  EXPECT_EQ(dir.Snapshot(), (TempDir::Contents{{"out.txt", "new"}}));
  EXPECT_EQ(fs::status(dir.path() / "out.txt").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(OutputFile, DiscardedOrNeverFinishedLeavesTheNameAsItWas) {
  TempDir dir;
  dir.Write("out.txt", "old");
  {
    OutputFile file;
    ASSERT_TRUE(file.Create(dir.File("out.txt")));
    std::fputs("new", file.stream());
  }
  OutputFile discarded;
  ASSERT_TRUE(discarded.Create(dir.File("out.txt")));
  discarded.Discard();
  EXPECT_FALSE(discarded.Publish());
  EXPECT_EQ(dir.Snapshot(), (TempDir::Contents{{"out.txt", "old"}}));
}

// What is neither a file nor a link is not replaced: a folder, a FIFO.
TEST(OutputFile, NameThatIsNoFileIsRefused) {
  TempDir dir;
  fs::create_directory(dir.path() / "folder");
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0644), 0);
  OutputFile file;
  EXPECT_FALSE(file.Create(dir.File("folder")));
  EXPECT_FALSE(file.Create(dir.File("fifo")));
  EXPECT_FALSE(file.Create(dir.File("missing/out.txt")));
  EXPECT_FALSE(file.Create(dir.File(std::string(300, 'n'))));
  EXPECT_TRUE(fs::is_fifo(dir.path() / "fifo"));
  fs::remove(dir.path() / "fifo");  // a snapshot would wait for a writer
  EXPECT_EQ(dir.Snapshot(), (TempDir::Contents{{"folder", "<folder>"}}));
}

// Here a backslash is a character of the name, not a folder's end: the temporary goes beside the
// output, and the output takes the whole name.
TEST(OutputFile, BackslashIsPartOfTheName) {
  TempDir dir;
  ASSERT_TRUE(ReplaceWithEmptyFile(dir.File("sub\\out.txt")));
  EXPECT_EQ(dir.Snapshot(), (TempDir::Contents{{"sub\\out.txt", ""}}));
}

// What an interrupt's handler does: every temporary still open goes, the names stay as they were.
TEST(InterruptCleanup, RemovesTheTemporariesOfOpenOutputs) {
  TempDir dir;
  dir.Write("out.txt", "old");
  OutputFile open_file;
  OutputFile finished_file;
  ASSERT_TRUE(open_file.Create(dir.File("out.txt")));
  ASSERT_TRUE(finished_file.Create(dir.File("other.txt")));
  ASSERT_TRUE(finished_file.Finish());
  EXPECT_EQ(dir.Snapshot().size(), 3u);
  RemoveRegisteredTemporaries();
  EXPECT_EQ(dir.Snapshot(), (TempDir::Contents{{"out.txt", "old"}}));
  EXPECT_FALSE(finished_file.Publish());
}

// Each signal that ends a program removes its temporaries and still ends it, after any block.
TEST(InterruptCleanup, EveryEndingSignalRemovesTheTemporaries) {
  for (const int signal :
       {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM, SIGUSR1,  SIGUSR2,   SIGPIPE, SIGALRM,
        SIGXCPU, SIGXFSZ, SIGSYS,  SIGTRAP, SIGABRT,  SIGBUS,    SIGFPE,  SIGILL,
        SIGSEGV, SIGIO,   SIGPWR,  SIGPROF, SIGRTMIN, SIGVTALRM, SIGRTMAX}) {
    for (const bool blocked : {false, true}) {
      TempDir dir;
      if (fork() == 0) {
        const rlimit no_core{0, 0};
        setrlimit(RLIMIT_CORE, &no_core);
        ::signal(signal, SIG_DFL);  // as a program starts, without a sanitizer's handler
        InstallInterruptCleanup();
        OutputFile file;
        std::optional<InterruptBlock> block;
        if (blocked) block.emplace();
        if (file.Create(dir.File("out.txt")) && kill(getpid(), signal) == 0) dir.Write("on", "");
        block.reset();
        _exit(3);
      }
      int raw = 0;
      wait(&raw);
      EXPECT_TRUE(WIFSIGNALED(raw) && WTERMSIG(raw) == signal) << signal << " ended with " << raw;
      const TempDir::Contents went_on = {{"on", ""}};
      EXPECT_EQ(dir.Snapshot(), blocked ? went_on : TempDir::Contents()) << signal;
    }
  }
}

}  // namespace
}  // namespace kem
