// The command line of kemc.
#pragma once

#include <string>
#include <vector>

namespace kem::cli {

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
  std::string from;            // --from: the PAL whose fuse map a JEDEC file holds
  std::string names_file;      // --names: pin names for a decompiled design
  std::string output;          // --output: the design --decompile writes
  std::vector<std::string> files;
};

// Parses the arguments after the program name. On a fault returns false with a message in `error`.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// The level named on the command line: 0|1|2, none|full|espresso or NOMIN|STRONGMIN|ESPRESSO.
int ParseLevel(const std::string& text);

extern const char* const kUsage;

}  // namespace kem::cli
