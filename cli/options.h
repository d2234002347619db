// The command line of kemc.
#pragma once

#include <string>
#include <vector>

namespace kem::cli {

enum class Action { kCompile, kCompileAndFit, kFitOnly, kSimulate, kHelp, kVersion };

struct Options {
  Action action = Action::kCompile;
  int level = -1;              // -1: take it from kem.ini
  bool simulate = false;       // run NAME.vec against NAME.jed (after the fit, if one is asked)
  bool write_vectors = false;  // and write the vectors of a clean run into NAME.jed
  bool report = false;         // print the pins' use after each compilation
  std::vector<std::string> files;
};

// Parses the arguments after the program name. On a fault returns false with a message in `error`.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

// The level named on the command line: 0..3, none|full|espresso|minimal or its kem.ini word.
int ParseLevel(const std::string& text);

extern const char* const kUsage;

}  // namespace kem::cli
