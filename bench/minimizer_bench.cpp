// What one equation costs at each minimization level as it grows: time, the covers' peak memory
// (the allocation budget's high-water mark) and the process's peak resident size. Each case runs
// in a child process of its own, so that its peak is its own and a case that runs too long can be
// stopped; once a case of a kind and level runs out of time, the larger ones of that kind and
// level are skipped. The designs in an examples folder are timed as a whole as well.
//
//   kem_bench [--limit SECONDS] [--examples FOLDER] [--max-v V]
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "common/command_ids.h"
#include "compiler/driver.h"
#include "compiler/messages.h"

namespace kem::bench {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxSignals = 18;

// Compiles without a window: the log is kept, boxes are counted.
class QuietHost : public CompileHost {
 public:
  MessageLog& Log() override { return log_; }
  BoxAnswer ShowMessageBox(std::string_view text, BoxIcon, BoxButtons) override {
    out_of_memory_ = out_of_memory_ || text == messages::kOutOfMemory;
    return BoxAnswer::kNo;
  }
  void SetMenuItemEnabled(int, bool) override {}
  void ShowWaitCursor() override {}
  void ClearCompileNeeded() override {}
  void RunSaveAsCommand() override {}
  void RunFitCommand(std::string_view) override {}

  bool out_of_memory() const { return out_of_memory_; }

 private:
  LogModel log_;
  bool out_of_memory_ = false;
};

// What a child reports back through its pipe.
struct Measured {
  double seconds = 0;
  double peak_mib = 0;
  int terms = 0;  // of all equations
  int outcome = 0;
};

enum Outcome { kClean = 0, kErrors = 1, kOutOfMemory = 2 };

struct CaseResult {
  bool finished = false;
  Measured measured;
  double max_rss_mib = 0;
};

// The terms of all equations of an intermediate file: the sum of their "; N" lines.
int TermsWritten(const fs::path& intermediate) {
  std::ifstream in(intermediate);
  std::string line;
  int terms = 0;
  while (std::getline(in, line)) {
    const auto at = line.find("\t; ");
    if (at != std::string::npos) terms += std::atoi(line.c_str() + at + 3);
  }
  return terms;
}

Measured CompileDesign(const fs::path& folder, const std::string& name, const std::string& text,
                       int level) {
  const fs::path source = folder / (name + ".kem");
  if (!text.empty()) std::ofstream(source, std::ios::binary) << text;
  // A large file of the previous case would be truncated on the clock of this one.
  for (const char* extension : {".ERR", ".mds", ".boo"}) fs::remove(folder / (name + extension));
  QuietHost host;
  CompileOptions options;
  options.minimization_level = level;
  const CompileJob job{source.string(), kCmdCompileOnly, false};

  const auto start = std::chrono::steady_clock::now();
  const std::unique_ptr<CompileRun> run = RunCompileCommand(job, host, options);
  const auto stop = std::chrono::steady_clock::now();

  Measured m;
  m.seconds = std::chrono::duration<double>(stop - start).count();
  m.peak_mib = run ? static_cast<double>(run->budget.peak()) / (1 << 20) : 0;
  m.terms = TermsWritten(folder / (name + ".boo"));
  m.outcome = host.out_of_memory() ? kOutOfMemory : run && run->CompileClean() ? kClean : kErrors;
  return m;
}

// Runs the work in a child process with a time limit.
CaseResult RunIsolated(const std::function<Measured()>& work, double limit_seconds) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) return {};
  std::fflush(stdout);
  const pid_t child = fork();
  if (child < 0) return {};
  if (child == 0) {
    close(pipe_ends[0]);
    const Measured m = work();
    const ssize_t written = write(pipe_ends[1], &m, sizeof m);
    _exit(written == static_cast<ssize_t>(sizeof m) ? 0 : 1);
  }
  close(pipe_ends[1]);
  CaseResult result;
  pollfd wait_for{pipe_ends[0], POLLIN, 0};
  if (poll(&wait_for, 1, static_cast<int>(limit_seconds * 1000)) > 0) {
    result.finished = read(pipe_ends[0], &result.measured, sizeof result.measured) ==
                      static_cast<ssize_t>(sizeof result.measured);
  }
  if (!result.finished) kill(child, SIGKILL);
  close(pipe_ends[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  result.max_rss_mib = static_cast<double>(usage.ru_maxrss) / 1024;  // ru_maxrss is in KiB
  return result;
}

// A GAL22V10 with 18 inputs I0..I17 and the output Y.
std::string Design(const std::string& equation) {
  return "CHIP bench GAL22V10\n"
         "I0 I1 I2 I3 I4 I5 I6 I7 I8 I9 I10 GND\n"
         "I11 I12 I13 I14 I15 I16 I17 Y O1 O2 O3 VCC\n\n"
         "Y = " +
         equation + ";\n";
}

std::string Signal(int i) {
  std::string name = "I";
  name += std::to_string(i);
  return name;
}

// The exclusive or of all signals: no two minterms combine, the worst case for covers.
std::string Parity(int v) {
  std::string text = Signal(0);
  for (int i = 1; i < v; ++i) text += " $ " + Signal(i);
  return text;
}

// A > B for the unsigned numbers A = I0..I(v/2-1) and B = the rest, least significant bit first:
// gt(i) = a(i) & /b(i) + (a(i) + /b(i)) & gt(i-1).
std::string Comparator(int v) {
  const int half = v / 2;
  std::string gt = Signal(0) + " & /" + Signal(half);
  for (int i = 1; i < half; ++i) {
    const std::string a = Signal(i);
    const std::string b = Signal(half + i);
    gt = a + " & /" + b + " + (" + a + " + /" + b + ") & (" + gt + ")";
  }
  return gt;
}

// A seeded random sum of 2v products of about v/3 literals each, every signal used.
std::string RandomSop(int v) {
  std::mt19937 random(1000u + static_cast<unsigned>(v));
  const int products = 2 * v;
  const int width = std::max(2, (v + 2) / 3);
  std::vector<std::vector<int>> literals(static_cast<std::size_t>(products));
  std::vector<int> signals(static_cast<std::size_t>(v));
  for (int i = 0; i < v; ++i) signals[static_cast<std::size_t>(i)] = i;
  std::vector<bool> used(static_cast<std::size_t>(v), false);
  for (auto& product : literals) {
    std::shuffle(signals.begin(), signals.end(), random);
    product.assign(signals.begin(), signals.begin() + width);
    for (int s : product) used[static_cast<std::size_t>(s)] = true;
  }
  for (int s = 0; s < v; ++s) {
    if (!used[static_cast<std::size_t>(s)]) literals[static_cast<std::size_t>(s)].push_back(s);
  }
  std::string text;
  for (const auto& product : literals) {
    if (!text.empty()) text += " + ";
    for (std::size_t k = 0; k < product.size(); ++k) {
      if (k > 0) text += " & ";
      if (random() % 2 == 0) text += "/";
      text += Signal(product[k]);
    }
  }
  return text;
}

struct Kind {
  const char* name;
  std::string (*equation)(int);
};

constexpr Kind kKinds[] = {{"random", RandomSop}, {"parity", Parity}, {"comparator", Comparator}};

std::string Describe(const CaseResult& r, double limit) {
  if (!r.finished) return "> " + std::to_string(static_cast<int>(limit)) + " s";
  switch (r.measured.outcome) {
    case kOutOfMemory:
      return "E01";
    case kErrors:
      return std::to_string(r.measured.terms) + " terms*";
    default:
      return std::to_string(r.measured.terms) + " terms";
  }
}

void PrintRow(const char* what, const std::string& size, int level, const CaseResult& r,
              double limit) {
  char time[32] = "-";
  char peak[32] = "-";
  if (r.finished) {
    std::snprintf(time, sizeof time, "%.3f", r.measured.seconds);
    std::snprintf(peak, sizeof peak, "%.1f", r.measured.peak_mib);
  }
  std::printf("%-34s %4s %5d  %-14s %10s %12s %10.1f\n", what, size.c_str(), level,
              Describe(r, limit).c_str(), time, peak, r.max_rss_mib);
  std::fflush(stdout);
}

int Main(int argc, char** argv) {
  double limit = 10;
  int max_v = kMaxSignals;
  fs::path examples;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--limit") limit = std::atof(argv[i + 1]);
    if (option == "--examples") examples = argv[i + 1];
    if (option == "--max-v") max_v = std::atoi(argv[i + 1]);
  }

  const fs::path folder = fs::temp_directory_path() / ("kem-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::printf("One equation Y = f(I0..I(V-1)) on a GAL22V10, each case limited to %.0f s.\n",
              limit);
  std::printf(
      "time: the compilation; cover peak: the allocation budget's high-water mark;\n"
      "max RSS: the compiling process. \"*\": compiled with errors (term limit).\n\n");
  std::printf("%-34s %4s %5s  %-14s %10s %12s %10s\n", "equation", "V", "level", "result",
              "time [s]", "cover [MiB]", "RSS [MiB]");

  std::map<std::pair<std::string, int>, int> largest;  // (kind, level) -> largest V in time
  for (const Kind& kind : kKinds) {
    for (int level = 0; level <= 2; ++level) {
      bool skipping = false;
      for (int v = 4; v <= max_v; v += 2) {
        if (skipping) continue;
        const std::string text = Design(kind.equation(v));
        const CaseResult r =
            RunIsolated([&] { return CompileDesign(folder, "eq", text, level); }, limit);
        PrintRow(kind.name, std::to_string(v), level, r, limit);
        if (!r.finished) {
          skipping = true;
        } else if (r.measured.outcome != kOutOfMemory) {
          largest[{kind.name, level}] = v;
        }
      }
    }
  }

  if (!examples.empty()) {
    std::vector<fs::path> designs;
    for (const auto& entry : fs::directory_iterator(examples)) {
      if (entry.path().extension() == ".kem") designs.push_back(entry.path());
    }
    std::sort(designs.begin(), designs.end());
    std::printf("\n%-34s %4s %5s  %-14s %10s %12s %10s\n", "design", "", "level", "result",
                "time [s]", "cover [MiB]", "RSS [MiB]");
    for (int level = 0; level <= 2; ++level) {
      double total = 0;
      for (const fs::path& design : designs) {
        const std::string name = design.stem().string();
        fs::copy_file(design, folder / (name + ".kem"), fs::copy_options::overwrite_existing);
        const CaseResult r =
            RunIsolated([&] { return CompileDesign(folder, name, "", level); }, limit);
        PrintRow(name.c_str(), "", level, r, limit);
        total += r.measured.seconds;
      }
      std::printf("%-34s %4s %5d  %-14s %10.3f\n", "all examples", "", level, "", total);
    }
  }

  std::printf("\nLargest V compiled within %.0f s (without E01):\n", limit);
  for (const Kind& kind : kKinds) {
    std::printf("  %-12s", kind.name);
    for (int level = 0; level <= 2; ++level) {
      const auto at = largest.find({kind.name, level});
      std::printf("  level %d: %-4s", level,
                  at == largest.end() ? "-" : std::to_string(at->second).c_str());
    }
    std::printf("\n");
  }
  fs::remove_all(folder);
  return 0;
}

}  // namespace

}  // namespace kem::bench

int main(int argc, char** argv) {
  return kem::bench::Main(argc, argv);
}
