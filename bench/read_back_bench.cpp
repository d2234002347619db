// Reading chips back, timed as whole kemc processes: --compare of two GAL22V10 files whose
// outputs together read all 22 array signals (12 inputs and 10 registers, up to 18 per output),
// --decompile of such a file at level 2, and both for every example (the typical decoder or state
// machine). Each case runs several times; the median and the slowest wall time are printed, and the
// median processor time (user and system) of the process, which a busy machine inflates less.
//
//   kem_read_back_bench [--examples FOLDER] [--runs 7]
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The pieces one after the other (a chain of "+" on strings draws a false warning from g++ 12).
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const std::string_view part : parts) text.append(part);
  return text;
}

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  quoted += '\'';
  return quoted;
}

double ChildSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Report(const std::string& name, const std::string& command, int runs) {
  std::vector<double> wall;
  std::vector<double> processor;
  for (int i = 0; i < runs; ++i) {
    const double before = ChildSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (std::system(Join({"(", command, ") >/dev/null 2>&1"}).c_str()) == -1) return;
    wall.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    processor.push_back((ChildSeconds() - before) * 1000);
  }
  std::printf("%-44s %9.1f %9.1f %9.1f\n", name.c_str(), Median(wall),
              *std::max_element(wall.begin(), wall.end()), Median(processor));
}

// Ten registers, each the sum of half its rows of six-literal products over 18 of the 22 array
// signals, so that together they read every input and register.
std::string WideDesign() {
  std::mt19937 random(5);
  std::vector<std::string> signals{"CLK", "I2", "I3", "I4",  "I5",  "I6",
                                   "I7",  "I8", "I9", "I10", "I11", "I13"};
  for (int k = 9; k >= 0; --k) signals.push_back(Join({"Q", std::to_string(k)}));
  const int rows[10] = {8, 10, 12, 14, 16, 16, 14, 12, 10, 8};
  std::string text =
      "CHIP wide GAL22V10\n\nCLK I2 I3 I4 I5 I6 I7 I8 I9 I10 I11 GND\n"
      "I13 Q9 Q8 Q7 Q6 Q5 Q4 Q3 Q2 Q1 Q0 VCC\n\n";
  for (int k = 0; k < 10; ++k) {
    std::vector<std::string> read = signals;
    std::shuffle(read.begin(), read.end(), random);
    read.resize(18);
    text += Join({"#NOMIN\nQ", std::to_string(k), " := "});
    for (int t = 0; t < rows[9 - k] / 2; ++t) {
      std::vector<std::string> term = read;
      std::shuffle(term.begin(), term.end(), random);
      if (t > 0) text += "\n   + ";
      for (int l = 0; l < 6; ++l) {
        if (l > 0) text += " * ";
        if (random() % 2 != 0) text += '/';
        text += term[static_cast<std::size_t>(l)];
      }
    }
    text += ";\n#ENDNOMIN\n";
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::string examples;
  int runs = 7;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--examples") examples = argv[i + 1];
    if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
  }
  const fs::path folder = fs::temp_directory_path() /
                          Join({"kem-read-back-bench-", std::to_string(std::random_device()())});
  fs::create_directories(folder);
  const std::string kemc = Quote(KEMC_PATH);
  const std::string in = Join({"cd ", Quote(folder.string()), " && ", kemc, " "});
  std::ofstream(folder / "wide.kem") << WideDesign();
  // The second file: the design read back from the first, fitted in a folder of its own.
  std::system(Join({in, "--fit wide.kem >/dev/null && ", kemc,
                    " --decompile -o back.kem wide.jed >/dev/null && mkdir b && cp back.kem "
                    "b/wide.kem && cd b && ",
                    kemc, " --fit wide.kem >/dev/null"})
                  .c_str());
  std::printf("%-44s %9s %9s %9s\n", "kemc (whole process)", "median ms", "max ms", "cpu ms");
  Report("--compare GAL22V10, 22 signals", Join({in, "--compare wide.jed b/wide.jed"}), runs);
  Report("--decompile GAL22V10, 22 signals, level 2",
         Join({in, "--decompile -o x.kem wide.jed; rm -f x.kem"}), runs);
  if (!examples.empty()) {
    for (const auto& entry : fs::directory_iterator(examples)) {
      if (entry.path().extension() != ".kem") continue;
      const std::string stem = entry.path().stem().string();
      fs::copy_file(entry.path(), folder / entry.path().filename(),
                    fs::copy_options::overwrite_existing);
      const std::string jedec = Quote(Join({stem, ".jed"}));
      std::system(Join({in, "--fit ", Quote(Join({stem, ".kem"})), " >/dev/null"}).c_str());
      Report(Join({"--compare ", stem}), Join({in, "--compare ", jedec, " ", jedec}), runs);
      Report(Join({"--decompile ", stem}),
             Join({in, "--decompile -o x.kem ", jedec, "; rm -f x.kem"}), runs);
    }
  }
  fs::remove_all(folder);
  return 0;
}
