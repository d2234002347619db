// The command line of kemwin: an optional design to open, or a request for help or the version,
// answered before any window (or display) is needed. Qt's own options (-platform, -style, ...)
// are known here too, so that a wrong command line is told before Qt looks for a display.
#pragma once

#include <string>
#include <vector>

namespace kem::gui {

struct CommandLine {
  enum class Action { kRun, kHelp, kVersion, kWrong, kUnusableFile };
  Action action = Action::kRun;
  std::string file;            // the design to open; empty for none
  std::string error;           // for kWrong and kUnusableFile
  std::string platform;        // the value of Qt's -platform; empty for none
  bool display_named = false;  // Qt's -display was given
};

// Parses the arguments after the program name. "--help" and "--version" win wherever they stand
// before "--"; after "--" every argument is a file name. A file that is there but is no regular
// file (a FIFO, a folder, a device) is refused now: opening it could keep the window waiting.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// Whether Qt would find no display to open: on X11 and Wayland, the platform Qt would take (from
// -platform, else QT_QPA_PLATFORM, else either of the two) has no display named in the
// environment. `variable` reads the environment.
bool DisplayMissing(const CommandLine& line, const char* (*variable)(const char* name));

extern const char* const kKemwinUsage;
// "kemwin VERSION", the version kemc reports too.
extern const char* const kKemwinVersion;
extern const char* const kKemwinNoDisplay;

}  // namespace kem::gui
