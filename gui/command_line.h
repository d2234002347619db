// The command line of kemwin: an optional design to open, or a request for help or the version,
// answered before any window (or display) is needed.
#pragma once

#include <string>
#include <vector>

namespace kem::gui {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kWrong };
  Action action = Action::kRun;
  std::string file;   // the design to open; empty for none
  std::string error;  // for kWrong
};

// Parses the arguments after the program name. "--help" and "--version" win wherever they stand
// before "--"; after "--" every argument is a file name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

extern const char* const kKemwinUsage;
// "kemwin VERSION", the version kemc reports too.
extern const char* const kKemwinVersion;

}  // namespace kem::gui
