#include "cli/options.h"

#include <string>

#include "common/format.h"
#include "shell/command_line_messages.h"
#include "shell/settings.h"
#include "synthesis/levels.h"

namespace kem::cli {

namespace {

namespace msg = command_line_messages;

constexpr std::string_view kProgram = "kemc";
constexpr std::string_view kUsageBeforeCommon =
    "DATEI...\n"
    "Compiliert GAL-Designs zu Gleichungsliste (.mds), Zwischendatei (.boo) und Fehlerdatei "
    "(.ERR)\n"
    "neben der Quelle.\n"
    "\n"
    "  -f, --fit            nach fehlerfreiem Compilieren fitten (JEDEC-Datei .jed)\n"
    "      --fit-only       nur fitten: vorhandene Zwischendatei (.boo) zur JEDEC-Datei (.jed)\n"
    "      --simulate       Vektordatei (.vec) gegen die JEDEC-Datei (.jed) simulieren; mit\n"
    "                       --fit gegen die eben gefittete\n"
    "      --vectors        nach fehlerfreier Simulation die Vektoren in die JEDEC-Datei\n"
    "                       schreiben (V-Felder)\n"
    "      --report         nach dem Compilieren die Belegung der Pins ausgeben\n"
    "  -m, --level STUFE    Minimierung: 0|none|NOMIN, 1|full|STRONGMIN, 2|espresso|ESPRESSO,\n"
    "                       3|minimal|MINIMAL\n"
    "                       (ohne Angabe: KEMWinMinLevel aus kem.ini, sonst 2)\n";
constexpr std::string_view kUsageAfterCommon =
    "\n"
    "Meldungen erscheinen auf der Standardfehlerausgabe als \"DATEI:ZEILE: error: TEXT\"\n"
    "(Warnungen: \"warning:\").\n"
    "\n"
    "Exit-Status:\n"
    "  0  fehlerfrei (Warnungen erlaubt)\n"
    "  1  Fehler im Design, Compilierung abgebrochen, Fitten fehlgeschlagen, eine\n"
    "     Ausgabedatei nicht schreibbar, Vektordatei fehlerhaft oder Abweichung in der\n"
    "     Simulation\n"
    "  2  falscher Aufruf oder eine Eingabedatei nicht verwendbar (Quelle nicht lesbar,\n"
    "     Quelle mit dem Namen einer Ausgabedatei, Zwischendatei, Vektordatei oder\n"
    "     JEDEC-Datei fehlt oder ist unbrauchbar)\n"
    "Bei mehreren Dateien zählt der höchste Status.\n";

}  // namespace

const char* const kUsage =
    kJoinedText<msg::kUsageStart, kProgram, msg::kUsageOptions, kUsageBeforeCommon, msg::kHelpOption,
                msg::kVersionOption, kUsageAfterCommon>
        .data();

int ParseLevel(const std::string& text) {
  for (const MinimizationLevel& level : kMinimizationLevels) {
    if (text == std::to_string(level.level) || text == level.option_word) return level.level;
  }
  return MinimizationLevelFromName(text);
}

// Two actions on one command line are a mistake in the call: neither may silently give way to the
// other. A level where nothing is compiled changes nothing and is taken, so a script may pass one
// on every call.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error) {
  bool only_files = false;
  bool fit = false;
  bool fit_only = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (only_files || argument.empty() || argument[0] != '-' || argument == "-") {
      options.files.push_back(argument);
      continue;
    }
    if (argument == "--") {
      only_files = true;
    } else if (argument == "-h" || argument == "--help") {
      options.action = Action::kHelp;
      return true;
    } else if (argument == "--version") {
      options.action = Action::kVersion;
      return true;
    } else if (argument == "-f" || argument == "--fit") {
      fit = true;
      options.action = Action::kCompileAndFit;
    } else if (argument == "--fit-only") {
      fit_only = true;
      options.action = Action::kFitOnly;
    } else if (argument == "--simulate") {
      options.simulate = true;
    } else if (argument == "--vectors") {
      options.write_vectors = true;
    } else if (argument == "--report") {
      options.report = true;
    } else if (argument == "-m" || argument == "--level" || argument.rfind("--level=", 0) == 0 ||
               (argument.rfind("-m", 0) == 0 && argument.size() > 2)) {
      std::string value;
      if (argument.rfind("--level=", 0) == 0) {
        value = argument.substr(8);
      } else if (argument.size() > 2 && argument[1] == 'm') {
        value = argument.substr(2);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        error = "Option " + argument + " verlangt eine Minimierungsstufe";
        return false;
      }
      options.level = ParseLevel(value);
      if (options.level < 0) {
        error = "unbekannte Minimierungsstufe: " + value;
        return false;
      }
    } else {
      error = FormatText(msg::kUnknownOption, {argument});
      return false;
    }
  }
  if (options.write_vectors && !options.simulate) {
    error = "--vectors verlangt --simulate";
    return false;
  }
  if (fit && fit_only) {
    error = "--fit und --fit-only schließen einander aus";
    return false;
  }
  if (options.simulate && options.action == Action::kCompile) options.action = Action::kSimulate;
  if (options.files.empty()) {
    error = "keine Datei angegeben";
    return false;
  }
  return true;
}

}  // namespace kem::cli
