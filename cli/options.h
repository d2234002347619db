// The command line of kemc.
#pragma once

#include <string>
#include <vector>

namespace kem::cli {

// kSimulate: only the steps on the files a fit wrote (--simulate, --verilog), nothing compiled.
enum class Action {
  kCompile,
  kCompileAndFit,
  kFitOnly,
  kSimulate,
  kCompare,
  kDecompile,
  kHelp,
  kVersion
};

struct Options {
  Action action = Action::kCompile;
  int level = -1;              // -1: take it from kem.ini
  bool simulate = false;       // run NAME.vec against NAME.jed (after the fit, if one is asked)
  bool write_vectors = false;  // and write the vectors of a clean run into NAME.jed
  bool verilog = false;        // write NAME.v (and NAME_tb.v) from NAME.jed
  std::string part;            // --part as given; empty: KEMWinPart from kem.ini, else the family's
  bool power_down = false;     // set the part's power-down fuse
  bool secure = false;         // set the security fuse
  bool import = false;         // each file is another tool's source, translated to NAME.kem first
  std::string from;            // --from: the PAL whose fuse map a JEDEC file holds
  std::string names_file;      // --names: pin names for a decompiled design
  std::string output;          // --output: the design --decompile writes
  bool report = false;         // print the pins' use after each compilation
  std::vector<std::string> files;
};

// Parses the arguments after the program name. On a fault returns false with a message in `error`.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// The level named on the command line: 0..3, none|full|espresso|minimal or its kem.ini word.
int ParseLevel(const std::string& text);

extern const char* const kUsage;

}  // namespace kem::cli
