// kemc against a hostile file system: links at the output names, outputs that are the source,
// inputs that are no files, a disk that fills up at any point, an interrupt at any point, and a
// standard output that cannot be written. After each, every output holds either what it held
// before the run or this run's whole text (the JEDEC file of a failed fit is empty), nothing a
// link leads to has changed, and no temporary file is left.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/entropy.h"
#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::Entropy;
using testing_support::TempDir;

// Clean, with one warning, so the error file has a line and the fit follows.
constexpr const char* kDesign =
    "CHIP ampel GAL16V8\nA B C D E F G H I GND J Q0 Q1 Q2 Q3 Q4 Q5 Q6 Q7 VCC\n"
    "Q0 = A & /B + C;\nQ1 = /A & D\n";
constexpr const char* kOutputs[] = {"a.ERR", "a.mds", "a.boo", "a.jed"};
constexpr const char* kRefused =
    "kemc: error: Kann nicht in selbes File compilieren. Umbenennen?\n";

struct ChildOptions {
  std::optional<rlim_t> file_size_limit;  // a disk that is full beyond this many bytes
  bool stdout_closed_pipe = false;        // standard output a pipe nobody reads any more
  int signal = 0;                         // sent after `delay`
  std::chrono::microseconds delay{0};
  std::chrono::seconds give_up{60};  // a run still going then has hung: it is killed
};

ChildOptions GivingUpAfter(std::chrono::seconds seconds) {
  ChildOptions options;
  options.give_up = seconds;
  return options;
}

ChildOptions WithDiskFullBeyond(rlim_t bytes) {
  ChildOptions options;
  options.file_size_limit = bytes;
  return options;
}

ChildOptions InterruptedBy(int signal, std::chrono::microseconds delay) {
  ChildOptions options;
  options.signal = signal;
  options.delay = delay;
  return options;
}

ChildOptions WithStdoutClosedPipe() {
  ChildOptions options;
  options.stdout_closed_pipe = true;
  return options;
}

struct ChildResult {
  int status = -1;     // the exit status, or -1 when a signal ended the run
  int end_signal = 0;  // the signal that ended it
  bool hung = false;
  std::string err;
};

// Runs kemc in `folder` as a child process, so that limits and signals reach it alone.
ChildResult RunKemcChild(const fs::path& folder, const std::vector<std::string>& arguments,
                         const ChildOptions& options = {}) {
  const fs::path err_path = folder / ".kemc-err";
  int out_pipe[2] = {-1, -1};
  if (options.stdout_closed_pipe && pipe(out_pipe) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(127);
    const int null_fd = open("/dev/null", O_RDWR);
    const int err_fd = open(err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(null_fd, STDIN_FILENO);
    dup2(options.stdout_closed_pipe ? out_pipe[1] : null_fd, STDOUT_FILENO);
    dup2(err_fd, STDERR_FILENO);
    if (options.stdout_closed_pipe) {
      close(out_pipe[0]);
      close(out_pipe[1]);
    }
    if (options.file_size_limit) {
      signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the process
      const rlimit limit{*options.file_size_limit, *options.file_size_limit};
      setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::vector<char*> argv{const_cast<char*>(KEMC_PATH)};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(KEMC_PATH, argv.data());
    _exit(127);
  }
  if (options.stdout_closed_pipe) {
    close(out_pipe[1]);
    close(out_pipe[0]);  // nobody reads: every write of the child fails
  }
  ChildResult result;
  if (options.signal != 0) {
    std::this_thread::sleep_for(options.delay);
    kill(child, options.signal);
  }
  int raw = 0;
  const auto deadline = std::chrono::steady_clock::now() + options.give_up;
  while (waitpid(child, &raw, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      result.hung = true;
      kill(child, SIGKILL);
      waitpid(child, &raw, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
  if (WIFSIGNALED(raw)) result.end_signal = WTERMSIG(raw);
  result.err = testing_support::Slurp(err_path);
  fs::remove(err_path);
  return result;
}

// The outputs of one whole run of `arguments` on `source`, made in a folder of their own.
TempDir::Contents WholeRun(const std::string& source, const std::vector<std::string>& arguments) {
  TempDir reference;
  reference.Write("a.kem", source);
  RunKemcChild(reference.path(), arguments);
  return reference.Snapshot();
}

void MakeLink(const fs::path& target, const fs::path& link, bool symbolic) {
  if (symbolic)
    fs::create_symlink(target, link);
  else
    fs::create_hard_link(target, link);
}

TEST(KemcOutputFiles, LinksAtEveryOutputNameAreReplacedNotFollowed) {
  const TempDir::Contents whole = WholeRun(kDesign, {"--fit", "a.kem"});
  for (const char* output : kOutputs) {
    for (bool symbolic : {true, false}) {
      TempDir dir;
      dir.Write("a.kem", kDesign);
      fs::create_directory(dir.path() / "elsewhere");
      dir.Write("elsewhere/other.txt", "a file of the user's");
      MakeLink(dir.path() / "elsewhere/other.txt", dir.path() / output, symbolic);
      const ChildResult r = RunKemcChild(dir.path(), {"--fit", "a.kem"});
      EXPECT_EQ(r.status, 0) << output << r.err;
      EXPECT_EQ(dir.Read("elsewhere/other.txt"), "a file of the user's") << output << symbolic;
      EXPECT_FALSE(fs::is_symlink(dir.path() / output)) << output;
      auto expected = whole;
      expected["elsewhere"] = "<folder>";
      expected["elsewhere/other.txt"] = "a file of the user's";
      EXPECT_EQ(dir.Snapshot(), expected) << output << (symbolic ? " symbolic" : " hard");
    }
  }
}

TEST(KemcOutputFiles, OutputNameThatIsTheSourceIsRefused) {
  for (const char* output : kOutputs) {
    for (bool symbolic : {true, false}) {
      TempDir dir;
      dir.Write("a.kem", kDesign);
      MakeLink(dir.path() / "a.kem", dir.path() / output, symbolic);
      const auto before = dir.Snapshot();
      const ChildResult r = RunKemcChild(dir.path(), {"--fit", "a.kem"});
      const bool jedec = std::string(output) == "a.jed";
      // The compilation writes no JEDEC file: only the fit refuses it.
      EXPECT_EQ(r.status, jedec ? 1 : 2) << output;
      EXPECT_EQ(r.err, jedec ? "kemc: error: Kann a.jed nicht speichern\na.kem:5: warning: W01 ; "
                               "fehlt\n"
                             : kRefused)
          << output;
      EXPECT_EQ(dir.Read("a.kem"), kDesign) << output << (symbolic ? " symbolic" : " hard");
      if (!jedec) {
        EXPECT_EQ(dir.Snapshot(), before) << output;
      }
    }
  }
}

// A FIFO never keeps kemc waiting and a device never fills its memory: what is not a file is
// refused as a file that cannot be opened (source, settings) or written (error file).
TEST(KemcOutputFiles, InputsAndOutputsThatAreNoFiles) {
  {
    TempDir dir;
    ASSERT_EQ(mkfifo(dir.File("a.kem").c_str(), 0644), 0);
    const ChildResult r =
        RunKemcChild(dir.path(), {"a.kem"}, GivingUpAfter(std::chrono::seconds(20)));
    EXPECT_FALSE(r.hung) << "FIFO as source";
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "a.kem: error: E04 Fehler beim Öffnen der Datei.\n");
    EXPECT_FALSE(dir.Exists("a.ERR")) << "nothing beside what is not a file";
  }
  {
    TempDir dir;
    fs::create_symlink("/dev/zero", dir.path() / "a.kem");
    const ChildResult r = RunKemcChild(dir.path(), {"a.kem"});
    EXPECT_EQ(r.status, 2) << "device as source";
    EXPECT_EQ(r.err, "a.kem: error: E04 Fehler beim Öffnen der Datei.\n");
    EXPECT_FALSE(dir.Exists("a.ERR")) << "nothing beside what is not a file";
  }
  for (bool fifo : {true, false}) {
    TempDir dir;
    dir.Write("a.kem", kDesign);
    if (fifo)
      ASSERT_EQ(mkfifo(dir.File("kem.ini").c_str(), 0644), 0);
    else
      fs::create_symlink("/dev/zero", dir.path() / "kem.ini");
    const ChildResult r =
        RunKemcChild(dir.path(), {"a.kem"}, GivingUpAfter(std::chrono::seconds(20)));
    EXPECT_FALSE(r.hung) << "settings file";
    EXPECT_EQ(r.status, 0) << "settings file " << r.err;
  }
  {
    TempDir dir;
    dir.Write("a.kem", kDesign);
    ASSERT_EQ(mkfifo(dir.File("a.ERR").c_str(), 0644), 0);
    const ChildResult r =
        RunKemcChild(dir.path(), {"a.kem"}, GivingUpAfter(std::chrono::seconds(20)));
    EXPECT_FALSE(r.hung) << "FIFO as error file";
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "kemc: error: Kann a.ERR nicht speichern\n");
    EXPECT_TRUE(fs::is_fifo(dir.path() / "a.ERR"));
  }
}

// A source larger than the memory budget ends with E01 before it is read: the file here is
// sparse, so it takes no room on the disk.
TEST(KemcOutputFiles, SourceLargerThanTheBudgetEndsWithE01) {
  TempDir dir;
  {
    const int fd = open(dir.File("a.kem").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t{5} << 29), 0);  // 2.5 GiB
    close(fd);
  }
  const ChildResult r = RunKemcChild(dir.path(), {"a.kem"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(
      r.err,
      "kemc: error: Nicht genügend Speicher für Compilierung\na.kem: error: E01 Speicher voll\n");
  EXPECT_EQ(dir.Read("a.ERR"), "E01 Speicher voll\n");
  EXPECT_FALSE(dir.Exists("a.mds"));
}

// The disk fills up at every point of a compilation and fit in turn.
TEST(KemcOutputFiles, FullDiskAtAnyPointLeavesEarlierOrWholeOutputs) {
  const TempDir::Contents whole = WholeRun(kDesign, {"--fit", "a.kem"});
  std::size_t largest = 0;
  for (const char* output : kOutputs) largest = std::max(largest, whole.at(output).size());
  std::set<rlim_t> limits = {0, 1};
  for (rlim_t limit = 0; limit <= largest + 1; limit += 97) limits.insert(limit);
  for (const char* output : kOutputs) {
    const rlim_t size = whole.at(output).size();
    limits.insert({size - 1, size, size + 1});
  }
  for (const rlim_t limit : limits) {
    TempDir dir;
    dir.Write("a.kem", kDesign);
    for (const char* output : kOutputs) dir.Write(output, std::string("earlier ") + output);
    const ChildResult r = RunKemcChild(dir.path(), {"--fit", "a.kem"}, WithDiskFullBeyond(limit));
    const TempDir::Contents after = dir.Snapshot();
    EXPECT_EQ(after.size(), whole.size()) << "limit " << limit << ": a file too many or too few";
    EXPECT_EQ(after.at("a.kem"), kDesign);
    bool all_new = true;
    for (const char* output : kOutputs) {
      const std::string& bytes = after.at(output);
      const bool earlier = bytes == std::string("earlier ") + output;
      const bool failed_fit = std::string(output) == "a.jed" && bytes.empty();
      EXPECT_TRUE(earlier || failed_fit || bytes == whole.at(output))
          << "limit " << limit << ": " << output << " holds " << bytes.size() << " bytes";
      all_new = all_new && bytes == whole.at(output);
    }
    // A run that could not write everything says so.
    EXPECT_EQ(r.status == 0, all_new) << "limit " << limit << "\n" << r.err;
  }
}

// Three wide equations keep the minimizer busy for a while.
std::string SlowDesign() {
  std::string design =
      "CHIP langsam GAL22V10\nCLK I1 I2 I3 I4 I5 I6 I7 I8 I9 I10 GND\n"
      "I11 I12 I13 I14 I15 I16 I17 Y O1 O2 O3 VCC\n";
  for (const char* target : {"Y", "O1", "O2"}) {
    design += std::string(target) + " = I1";
    for (int i = 2; i <= 13; ++i) design += " $ I" + std::to_string(i + (target[0] == 'O'));
    design += ";\n";
  }
  return design + "O3 = I1 & I2;\n";
}

// An interrupt at a random moment: the error file, listing and intermediate file are either all
// the earlier run's or all this run's, whole; the source and other files stay as they were, and
// no temporary is left.
TEST(KemcOutputFiles, InterruptAtARandomPointLeavesEarlierOrWholeOutputs) {
  const std::string design = SlowDesign();
  const auto start = std::chrono::steady_clock::now();
  const TempDir::Contents whole = WholeRun(design, {"-m", "2", "a.kem"});
  const auto duration = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - start);
  const std::uint64_t seed = std::random_device{}();
  Entropy random(seed);
  const int signals[] = {SIGINT, SIGTERM, SIGHUP};
  int interrupted = 0;
  for (int trial = 0; trial < 6; ++trial) {
    TempDir dir;
    dir.Write("a.kem", design);
    dir.Write("notes.txt", "a file of the user's");
    const char* outputs[] = {"a.ERR", "a.mds", "a.boo"};
    for (const char* output : outputs) dir.Write(output, std::string("earlier ") + output);
    const auto delay =
        std::chrono::microseconds(random.Below(static_cast<int>(duration.count() * 11 / 10) + 1));
    const int signal = signals[trial % 3];
    const ChildResult r =
        RunKemcChild(dir.path(), {"-m", "2", "a.kem"}, InterruptedBy(signal, delay));
    const std::string where = "seed " + std::to_string(seed) + ", trial " + std::to_string(trial) +
                              ", signal " + std::to_string(signal) + " after " +
                              std::to_string(delay.count()) + " µs";
    EXPECT_TRUE(r.end_signal == signal || r.status == 1) << where;
    if (r.end_signal == signal) ++interrupted;
    const TempDir::Contents after = dir.Snapshot();
    EXPECT_EQ(after.size(), 5u) << where << ": a file too many or too few";
    EXPECT_EQ(after.at("a.kem"), design) << where;
    EXPECT_EQ(after.at("notes.txt"), "a file of the user's") << where;
    int earlier = 0;
    for (const char* output : outputs) {
      const std::string& bytes = after.at(output);
      if (bytes == std::string("earlier ") + output)
        ++earlier;
      else
        EXPECT_EQ(bytes, whole.at(output)) << where << ": " << output;
    }
    EXPECT_TRUE(earlier == 0 || earlier == 3) << where << ": outputs of two runs mixed";
  }
  RecordProperty("interrupted", interrupted);
}

TEST(KemcOutputFiles, StandardOutputThatCannotBeWrittenFails) {
  TempDir dir;
  dir.Write("a.kem", kDesign);
  const std::string quoted = testing_support::ShellQuote(KEMC_PATH);
  for (const std::string arguments : {"--fit a.kem", "--version", "--help"}) {
    const std::string command = "cd " + testing_support::ShellQuote(dir.path().string()) + " && " +
                                quoted + " " + arguments + " >/dev/full 2>" +
                                testing_support::ShellQuote(dir.File("err.txt"));
    const int raw = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 1) << arguments;
    const std::string err = testing_support::Slurp(dir.path() / "err.txt");
    EXPECT_NE(err.find("kemc: error: Fehler beim Schreiben der Standardausgabe\n"),
              std::string::npos)
        << arguments << ": " << err;
  }

  // A reader that went away, as with "| head": the outputs are still written whole.
  const TempDir::Contents whole = WholeRun(kDesign, {"--fit", "a.kem"});
  TempDir piped;
  piped.Write("a.kem", kDesign);
  const ChildResult r = RunKemcChild(piped.path(), {"--fit", "a.kem"}, WithStdoutClosedPipe());
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.end_signal, 0);
  EXPECT_NE(r.err.find("kemc: error: Fehler beim Schreiben der Standardausgabe\n"),
            std::string::npos);
  EXPECT_EQ(piped.Snapshot(), whole);
}

}  // namespace
}  // namespace kem
