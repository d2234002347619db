// kemc --verilog: every example's model and testbench pass under iverilog, ours and other tools'
// JEDEC files alike; on seeded designs of every device and mode, random vectors read the same
// levels in vvp as on the device simulator. Skipped where iverilog is not installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "device/device_simulator.h"
#include "device/jedec_reader.h"
#include "device/test_vectors.h"
#include "interchange/verilog_model.h"
#include "tests/support/compile_fixture.h"
#include "tests/support/design_generator.h"
#include "tests/support/entropy.h"
#include "tests/support/round_count.h"
#include "tests/support/run_kemc.h"
#include "tests/support/temp_dir.h"

namespace kem {
namespace {

namespace fs = std::filesystem;
using testing_support::RunKemc;
using testing_support::Slurp;
using testing_support::TempDir;

bool HaveIverilog() {
  return std::system("command -v iverilog >/dev/null 2>&1 && command -v vvp >/dev/null 2>&1") == 0;
}

// What vvp printed for the Verilog files, or the compiler's complaint.
std::string RunVerilog(const fs::path& folder, const std::string& files) {
  const std::string command = "cd " + testing_support::ShellQuote(folder.string()) +
                              " && iverilog -g2005 -Wall -o sim " + files +
                              " >vvp.txt 2>&1 && vvp -n sim >>vvp.txt 2>&1";
  const int status = std::system(command.c_str());
  return (status == 0 ? "" : "exit status\n") + Slurp(folder / "vvp.txt");
}

// Each design with its vectors: an example fitted by kemc, or a JEDEC file of another tool.
TEST(VerilogTestbench, PassesForEveryExampleAndForeignFile) {
  if (!HaveIverilog()) GTEST_SKIP() << "iverilog is not installed";
  std::vector<std::pair<fs::path, std::string>> designs;
  for (const auto& entry : fs::directory_iterator(EXAMPLES_DIR)) {
    if (entry.path().extension() == ".vec") designs.emplace_back(entry.path(), "--fit --verilog");
  }
  for (const auto& entry : fs::directory_iterator(FOREIGN_DIR)) {
    if (entry.path().extension() == ".vec") designs.emplace_back(entry.path(), "--verilog");
  }
  ASSERT_GE(designs.size(), 11u);
  for (const auto& [vectors, options] : designs) {
    TempDir dir;
    const std::string stem = vectors.stem().string();
    for (const char* extension : {".kem", ".vec", ".jed"}) {
      const fs::path file = fs::path(vectors).replace_extension(extension);
      if (fs::exists(file) && (options == "--verilog" || std::string(extension) != ".jed"))
        fs::copy_file(file, dir.path() / (stem + extension));
    }
    const auto r = RunKemc(dir.path(), options + " " + stem + ".kem");
    ASSERT_EQ(r.status, 0) << stem << r.out << r.err;
    EXPECT_NE(r.out.find("Testbench " + stem + "_tb.v geschrieben"), std::string::npos) << r.out;
    const std::string run = RunVerilog(dir.path(), stem + ".v " + stem + "_tb.v");
    EXPECT_NE(run.find("Simulation fehlerfrei"), std::string::npos) << stem << "\n" << run;
    EXPECT_EQ(run.find("FAIL"), std::string::npos) << stem << "\n" << run;
  }
}

// A model never takes the name of the document, and a faulty vector file gets no testbench.
TEST(VerilogOutputs, RefuseToOverwriteTheDocumentAndFaultyVectors) {
  TempDir dir;
  fs::copy_file(fs::path(EXAMPLES_DIR) / "ampel.kem", dir.path() / "ampel.kem");
  ASSERT_EQ(RunKemc(dir.path(), "--fit ampel.kem").status, 0);
  dir.Write("ampel.v", "// mine\n");
  const auto refused = RunKemc(dir.path(), "--verilog ampel.v");
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "kemc: error: Kann ampel.v nicht speichern\n");
  EXPECT_EQ(Slurp(dir.path() / "ampel.v"), "// mine\n");

  dir.Write("ampel.vec", "ORDER: NOPE\n1\n");
  const auto faulty = RunKemc(dir.path(), "--verilog ampel.kem");
  EXPECT_EQ(faulty.status, 1);
  EXPECT_EQ(faulty.err, "ampel.vec:1: error: NOPE ist kein Pin des Designs\n");
  EXPECT_FALSE(fs::exists(dir.path() / "ampel_tb.v"));
}

// Random vectors for the device: every pin a vector may name, inputs mostly 0 and 1, bus pins
// mostly left to the device, outputs now and then expected at a level. The clock is never X, where
// a simulator of edges and the model of a rising edge part ways.
TestVectors RandomVectors(const DeviceSimulator& device, testing_support::Entropy& random,
                          int first_line) {
  TestVectors vectors;
  for (int pin = 1; pin <= device.pin_count(); ++pin) {
    if (device.IsSupply(pin) || (!device.CanBeDriven(pin) && !device.CanDrive(pin))) continue;
    vectors.names.push_back("P" + std::to_string(pin));
    vectors.pins.push_back(pin);
  }
  for (int v = 0; v < 12; ++v) {
    TestVectors::Vector vector{first_line + v, ""};
    for (int pin : vectors.pins) {
      const bool in = device.CanBeDriven(pin);
      const bool out = device.CanDrive(pin);
      if (pin == device.clock_pin()) {
        vector.values += random.Pick({'C', 'C', '0', '1'});
      } else if (in && !out) {
        vector.values += random.Pick({'0', '1', '0', '1', '0', '1', '0', '1', 'X'});
      } else if (in && random.Percent(35)) {
        vector.values += random.Pick({'0', '1'});
      } else {
        vector.values += random.Pick({'X', 'X', 'X', 'X', 'X', 'X', 'H', 'L', 'Z'});
      }
    }
    vectors.vectors.push_back(vector);
  }
  return vectors;
}

// "PASS Zeile N: cells" as the testbench prints a vector, from the simulator's run.
std::string SimulatorLine(const TestVectors& vectors, const VectorStep& step, std::size_t index) {
  std::string line =
      (step.mismatches.empty() ? "PASS Zeile " : "FAIL Zeile ") + std::to_string(step.line) + ":";
  const std::string& values = vectors.vectors[index].values;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const bool driven = values[i] == '0' || values[i] == '1' || values[i] == 'C';
    line += " " + std::string(1, driven ? values[i] : LevelChar(step.pins[vectors.pins[i]]));
  }
  return line;
}

// The vvp lines without the mismatch texts that follow the cells.
std::map<int, std::string> TestbenchLines(const std::string& output) {
  std::map<int, std::string> lines;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with("PASS Zeile ") && !line.starts_with("FAIL Zeile ")) continue;
    lines[std::stoi(line.substr(11))] = line.substr(0, line.find("  "));
  }
  return lines;
}

TEST(VerilogModel, ReadsTheLevelsOfTheSimulatorOnSeededDesigns) {
  if (!HaveIverilog()) GTEST_SKIP() << "iverilog is not installed";
  const int wanted = testing_support::RoundCount(320);
  TempDir dir;
  std::string files;
  std::string instances;
  std::string waits;
  std::map<int, std::string> expected;
  std::map<std::string, int> kinds;  // designs per device and mode, and with bus pins and AR/SP
  int designs = 0;
  int unsettled = 0;
  for (std::uint64_t seed = 1; designs < wanted && seed < 4000; ++seed) {
    testing_support::DesignGenerator generator(seed, {.fault_percent = 0});
    const testing_support::GeneratedDesign design = generator.Generate();
    testing_support::CompileFixture fixture;
    CompileOptions options;
    options.minimization_level = design.level;
    const auto compiled = fixture.Compile(design.source, "design.kem", options, true);
    const auto jedec_text = fixture.dir.Read("design.jed");
    if (!compiled.run || !compiled.run->CompileClean() || !jedec_text || jedec_text->empty())
      continue;
    std::string error;
    const auto jedec = ReadJedec(*jedec_text, error);
    ASSERT_TRUE(jedec) << error;
    auto device = DeviceSimulator::FromFuses(design.gal_type, jedec->fuses, error);
    ASSERT_TRUE(device) << error;
    testing_support::Entropy random(seed);
    const int first_line = (designs + 1) * 100;
    const TestVectors vectors = RandomVectors(*device, random, first_line);
    const SimulationRun run = RunTestVectors(vectors, *device);
    // Feedback that never comes to rest oscillates in vvp instead of turning X.
    if (std::any_of(run.steps.begin(), run.steps.end(), [](const VectorStep& step) {
          return !step.mismatches.empty() && step.mismatches.front().column < 0;
        })) {
      ++unsettled;
      continue;
    }
    const std::string name = "d" + std::to_string(seed);
    const VerilogNames names = VerilogNamesOf(*device, PinNamesFromNotes(*jedec), name);
    std::string testbench = VerilogTestbench(vectors, *device, names, "seed");
    // Every testbench runs in one simulation, which ends when the last is done.
    testbench.replace(testbench.find("    $finish;"), 12, "    done = 1;");
    testbench.replace(testbench.find("  integer"), 0, "  reg done = 0;\n");
    dir.Write(name + ".v", VerilogModule(*device, names, "seed") + testbench);
    files += " " + name + ".v";
    instances += "  " + name + "_tb " + name + "_run ();\n";
    waits += "    wait (" + name + "_run.done);\n";
    for (std::size_t i = 0; i < run.steps.size(); ++i)
      expected[run.steps[i].line] = SimulatorLine(vectors, run.steps[i], i);
    ++designs;
    ++kinds[std::string(DeviceName(device->gal_type())) + " " +
            std::string(ModeName(device->mode()))];
    if (std::count(names.kinds.begin(), names.kinds.end(), PortKind::kInout) > 0) ++kinds["bus"];
    if (!names.reset.empty()) ++kinds["AR/SP"];
  }
  dir.Write("all_tb.v", "module all_tb;\n" + instances + "  initial begin\n" + waits +
                            "    $finish;\n  end\nendmodule\n");
  ASSERT_EQ(designs, wanted);
  const std::string output = RunVerilog(dir.path(), "all_tb.v" + files);
  const std::map<int, std::string> lines = TestbenchLines(output);
  ASSERT_EQ(lines.size(), expected.size()) << output.substr(0, 2000);
  int differing = 0;
  for (const auto& [line, text] : expected) {
    const auto found = lines.find(line);
    if (found != lines.end() && found->second == text) continue;
    if (++differing <= 5)
      ADD_FAILURE() << "simulator: " << text
                    << "\nvvp:       " << (found == lines.end() ? "-" : found->second);
  }
  EXPECT_EQ(differing, 0);
  std::string figures = std::to_string(designs) + " designs, " + std::to_string(expected.size()) +
                        " vectors, " + std::to_string(unsettled) + " left out (unsettled):";
  for (const auto& [kind, count] : kinds) figures += " " + kind + " " + std::to_string(count) + ";";
  std::cout << figures << "\n";
  EXPECT_GE(kinds.size(), 10u) << figures;  // eight device modes, bus pins, AR and SP
}

}  // namespace
}  // namespace kem
