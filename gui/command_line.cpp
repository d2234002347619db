#include "gui/command_line.h"

namespace kem::gui {

const char* const kKemwinUsage =
    "Aufruf: kemwin [OPTIONEN] [DATEI]\n"
    "Startet die Entwicklungsumgebung für GAL-Designs und öffnet DATEI, wenn angegeben.\n"
    "Minimierungsstufe, Schriftart und zuletzt geöffnete Dateien stehen in kem.ini im Ordner,\n"
    "der beim Start aktuell ist.\n"
    "\n"
    "  -h, --help           diese Hilfe\n"
    "      --version        Version\n";

const char* const kKemwinVersion = "kemwin " KEM_VERSION "\n";

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  bool only_files = false;
  for (const std::string& argument : arguments) {
    if (only_files || argument.empty() || argument[0] != '-' || argument == "-") {
      if (line.file.empty()) {
        line.file = argument;
      } else if (line.error.empty()) {
        line.error = "nur eine Datei möglich: " + argument;
      }
    } else if (argument == "--") {
      only_files = true;
    } else if (argument == "-h" || argument == "--help") {
      line.action = CommandLine::Action::kHelp;
      return line;
    } else if (argument == "--version") {
      line.action = CommandLine::Action::kVersion;
      return line;
    } else if (line.error.empty()) {
      line.error = "unbekannte Option: " + argument;
    }
  }
  if (!line.error.empty()) line.action = CommandLine::Action::kWrong;
  return line;
}

}  // namespace kem::gui
