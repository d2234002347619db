// What one equation costs at each minimization level as it grows: the whole compilation's time,
// the time of each minimizer step, the covers' peak memory (the allocation budget's high-water
// mark) and the process's peak resident size. Each case runs in a child process of its own; once
// a case of a kind and level runs out of time, the larger ones of that kind and level are skipped.
// The designs in an examples folder are timed as a whole as well.
//
//   kem_bench [--limit SECONDS] [--min-v V] [--max-v V] [--kinds K,K..] [--levels L,L..]
//             [--examples FOLDER]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "bench/bench_functions.h"
#include "bench/isolated_run.h"
#include "common/names.h"
#include "compiler/driver.h"
#include "synthesis/step_timer.h"

namespace kem::bench {

namespace {

namespace fs = std::filesystem;

constexpr int kMaxSignals = 18;

// Compiles without a window: the log is kept, boxes are counted.
class QuietHost : public CompileHost {
 public:
  MessageLog& Log() override { return log_; }
  // The one failure a compilation here can meet is the memory that runs out.
  BoxAnswer ShowMessageBox(std::string_view, BoxKind kind, BoxIcon, BoxButtons) override {
    out_of_memory_ = out_of_memory_ || kind == BoxKind::kFailure;
    return BoxAnswer::kNo;
  }

  bool out_of_memory() const { return out_of_memory_; }

 private:
  LogModel log_;
  bool out_of_memory_ = false;
};

enum Outcome { kClean = 0, kErrors = 1, kOutOfMemory = 2 };

// What a child reports back through its pipe.
struct Measured {
  double seconds = 0;
  double step_seconds[kMinimizerSteps] = {};
  double peak_mib = 0;
  int terms = 0;  // of all equations
  int outcome = 0;
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

fs::path DesignFile(const fs::path& folder, const std::string& name, std::string_view extension) {
  return folder / (name + "." + std::string(extension));
}

// The compilation is run twice: once as kemc runs it, for the time, and once with the step timer,
// whose clock readings around every small step would otherwise count in the time.
Measured CompileDesign(const fs::path& folder, const std::string& name, const std::string& text,
                       int level) {
  const fs::path source = DesignFile(folder, name, kSourceExtension);
  if (!text.empty()) std::ofstream(source, std::ios::binary) << text;
  const CompileJob job{source.string(), false};
  Measured m;
  for (const bool timed : {false, true}) {
    // A large file of the previous case would be truncated on the clock of this one.
    for (const std::string_view extension :
         {kErrorFileExtension, kListingExtension, kIntermediateExtension})
      fs::remove(DesignFile(folder, name, extension));
    QuietHost host;
    StepTotals steps;
    CompileOptions options;
    options.minimization_level = level;
    if (timed) options.step_timer = &steps;

    const auto start = std::chrono::steady_clock::now();
    const std::unique_ptr<CompileRun> run = RunCompileCommand(job, host, options);
    const auto stop = std::chrono::steady_clock::now();

    if (timed) {
      for (int s = 0; s < kMinimizerSteps; ++s)
        m.step_seconds[s] = steps.seconds(static_cast<MinimizerStep>(s));
      continue;
    }
    m.seconds = std::chrono::duration<double>(stop - start).count();
    m.peak_mib = run ? static_cast<double>(run->budget.peak()) / (1 << 20) : 0;
    m.terms = TermsWritten(DesignFile(folder, name, kIntermediateExtension));
    m.outcome = host.out_of_memory() ? kOutOfMemory : run && run->CompileClean() ? kClean : kErrors;
  }
  return m;
}

using CaseResult = Isolated<Measured>;

std::string Describe(const CaseResult& r, double limit) {
  if (!r.finished) return "> " + std::to_string(static_cast<int>(limit)) + " s";
  switch (r.result.outcome) {
    case kOutOfMemory:
      return "E01";
    case kErrors:
      return std::to_string(r.result.terms) + " terms*";
    default:
      return std::to_string(r.result.terms) + " terms";
  }
}

constexpr const char* kHeader = "%-26s %4s %5s  %-14s %9s %8s %8s %8s %8s %8s %8s %10s %9s\n";

void PrintHeader(const char* first) {
  std::printf(kHeader, first, "V", "level", "result", "time [ms]", "table", "covers", "level",
              "merge", "select", "cofactor", "cover[MiB]", "RSS[MiB]");
}

void PrintRow(const std::string& what, const std::string& size, int level, const CaseResult& r,
              double limit) {
  auto ms = [&](double seconds) {
    char text[32] = "-";
    if (r.finished) std::snprintf(text, sizeof text, "%.1f", seconds * 1000);
    return std::string(text);
  };
  char peak[32] = "-";
  if (r.finished) std::snprintf(peak, sizeof peak, "%.1f", r.result.peak_mib);
  char rss[32];
  std::snprintf(rss, sizeof rss, "%.1f", r.max_rss_mib);
  const double* step = r.result.step_seconds;
  std::printf(kHeader, what.c_str(), size.c_str(), std::to_string(level).c_str(),
              Describe(r, limit).c_str(), ms(r.result.seconds).c_str(), ms(step[0]).c_str(),
              ms(step[1]).c_str(), ms(step[2]).c_str(), ms(step[3]).c_str(), ms(step[4]).c_str(),
              ms(step[5]).c_str(), peak, rss);
  std::fflush(stdout);
}

std::vector<std::string> SplitList(const std::string& text) {
  std::vector<std::string> items;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    if (comma > start) items.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return items;
}

struct Options {
  double limit = 10;
  int min_v = 8;
  int max_v = kMaxSignals;
  std::vector<std::string> kinds;  // empty: all
  std::vector<int> levels = {0, 1, 2};
  fs::path examples;
};

Options ParseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const char* value = argv[i + 1];
    if (option == "--limit") o.limit = std::atof(value);
    if (option == "--examples") o.examples = value;
    if (option == "--min-v") o.min_v = std::atoi(value);
    if (option == "--max-v") o.max_v = std::min(std::atoi(value), kMaxSignals);
    if (option == "--kinds") o.kinds = SplitList(value);
    if (option == "--levels") {
      o.levels.clear();
      for (const std::string& level : SplitList(value))
        o.levels.push_back(std::atoi(level.c_str()));
    }
  }
  return o;
}

bool Wanted(const Options& o, const std::string& kind) {
  return o.kinds.empty() || std::find(o.kinds.begin(), o.kinds.end(), kind) != o.kinds.end();
}

void RunExamples(const Options& o, const fs::path& folder) {
  std::vector<fs::path> designs;
  for (const auto& entry : fs::directory_iterator(o.examples)) {
    if (entry.path().extension() == "." + std::string(kSourceExtension))
      designs.push_back(entry.path());
  }
  std::sort(designs.begin(), designs.end());
  std::printf("\n");
  PrintHeader("design");
  for (int level : o.levels) {
    double total = 0;
    for (const fs::path& design : designs) {
      const std::string name = design.stem().string();
      fs::copy_file(design, DesignFile(folder, name, kSourceExtension),
                    fs::copy_options::overwrite_existing);
      const CaseResult r =
          RunIsolated<Measured>([&] { return CompileDesign(folder, name, "", level); }, o.limit);
      PrintRow(name, "", level, r, o.limit);
      total += r.result.seconds;
    }
    std::printf("%-26s %4s %5d  %-14s %9.1f\n", "all examples", "", level, "", total * 1000);
  }
}

int Main(int argc, char** argv) {
  const Options o = ParseOptions(argc, argv);
  const fs::path folder = fs::temp_directory_path() / ("kem-bench-" + std::to_string(getpid()));
  fs::create_directories(folder);
  std::printf("One equation Y = f(I0..I(V-1)) on a GAL22V10, each case limited to %.0f s.\n",
              o.limit);
  std::printf(
      "time: the whole compilation; then, from a second run with a clock around each step, the\n"
      "minimizer's steps: table: the truth table; covers: its on-set and off-set (at level 0 the\n"
      "result); level: the level's minimization, of which merge and select are level 1's primes\n"
      "and cover selection and cofactor is level 2's cofactor merges; all in ms;\n"
      "cover: the allocation budget's high-water mark; RSS: the compiling process's peak.\n"
      "\"*\": compiled with errors (term limit).\n\n");
  PrintHeader("equation");

  std::map<std::pair<std::string, int>, int> largest;  // (kind, level) -> largest V in time
  for (const FunctionKind& kind : FunctionKinds()) {
    if (!Wanted(o, kind.name)) continue;
    for (int level : o.levels) {
      for (int v = o.min_v; v <= o.max_v; ++v) {
        if (v % kind.step != 0) continue;
        const std::string text = BenchDesign(kind.equation(v));
        const CaseResult r = RunIsolated<Measured>(
            [&] { return CompileDesign(folder, "eq", text, level); }, o.limit);
        PrintRow(kind.name, std::to_string(v), level, r, o.limit);
        if (!r.finished) break;
        if (r.result.outcome != kOutOfMemory) largest[{kind.name, level}] = v;
      }
    }
  }

  if (!o.examples.empty()) RunExamples(o, folder);

  std::printf("\nLargest V compiled within %.0f s (without E01):\n", o.limit);
  for (const FunctionKind& kind : FunctionKinds()) {
    if (!Wanted(o, kind.name)) continue;
    std::printf("  %-12s", kind.name);
    for (int level : o.levels) {
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
