#include "cli/options.h"

#include <string>
#include <utility>

#include "cli/option_messages.h"
#include "cli/part_messages.h"
#include "cli/part_step.h"
#include "common/format.h"
#include "shell/command_line_messages.h"
#include "shell/settings.h"
#include "synthesis/levels.h"

namespace kem::cli {

namespace {

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
    "      --verilog        Verilog-Modell des Bausteins (.v) aus der JEDEC-Datei (.jed), mit\n"
    "                       Vektordatei (.vec) dazu die Testbench (_tb.v); mit --fit aus der\n"
    "                       eben gefitteten\n"
    "      --part BAUSTEIN  die JEDEC-Datei für diesen Baustein der Familie schreiben (GAL16V8,\n"
    "                       ATF16V8B, ATF16V8C, ATF20V8B, ATF22V10C, ATF22V10CQZ ...; ohne\n"
    "                       Angabe: KEMWinPart aus kem.ini, sonst der GAL der Familie)\n"
    "      --power-down     die Power-Down-Fuse setzen (ATF16V8C, ATF22V10C)\n"
    "      --secure         die Sicherungsfuse setzen (G1)\n"
    "      --import         jede DATEI ist eine CUPL- oder GALasm-Quelle (.pld): erst nach\n"
    "                       DATEI.kem übersetzen, dann damit weiter wie sonst\n"
    "      --report         nach dem Compilieren die Belegung der Pins ausgeben\n"
    "  -m, --level STUFE    Minimierung: 0|none|NOMIN, 1|full|STRONGMIN, 2|espresso|ESPRESSO,\n"
    "                       3|minimal|MINIMAL\n"
    "                       (ohne Angabe: KEMWinMinLevel aus kem.ini, sonst 2)\n"
    "      --compare A B    zwei JEDEC-Dateien oder Designs auf gleiche Funktion prüfen\n"
    "      --decompile      JEDEC-Datei DATEI.jed als Design DATEI.kem zurücklesen (Stufe\n"
    "                       ohne Angabe 2); das Design wird zur Probe zurückcompiliert\n"
    "      --from PAL       die JEDEC-Datei ist die eines PAL (PAL16L8 ... PAL20R8)\n"
    "      --names DATEI    Pinnamen für --decompile, eine Zeile \"NUMMER NAME\" je Pin\n"
    "  -o, --output DATEI   das Design von --decompile unter diesem Namen schreiben\n";
constexpr std::string_view kUsageAfterCommon =
    "\n"
    "Meldungen erscheinen auf der Standardfehlerausgabe als \"DATEI:ZEILE: error: TEXT\"\n"
    "(Warnungen: \"warning:\").\n"
    "\n"
    "Exit-Status:\n"
    "  0  fehlerfrei (Warnungen erlaubt)\n"
    "  1  Fehler im Design, Compilierung abgebrochen, Fitten fehlgeschlagen, eine\n"
    "     Ausgabedatei nicht schreibbar, Vektordatei fehlerhaft, Abweichung in der\n"
    "     Simulation oder im Vergleich (--compare)\n"
    "  2  falscher Aufruf oder eine Eingabedatei nicht verwendbar (Quelle nicht lesbar,\n"
    "     Quelle mit dem Namen einer Ausgabedatei, Zwischendatei, Vektordatei oder\n"
    "     JEDEC-Datei fehlt oder ist unbrauchbar)\n"
    "Bei mehreren Dateien zählt der höchste Status.\n";

}  // namespace

const char* const kUsage =
    kJoinedText<command_line_messages::kUsageStart, kProgram, command_line_messages::kUsageOptions, kUsageBeforeCommon, command_line_messages::kHelpOption,
                command_line_messages::kVersionOption, kUsageAfterCommon>
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
  std::string read_back;  // --compare and --decompile, as given
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
    } else if (argument == "--import") {
      options.import = true;
    } else if (argument == "--vectors") {
      options.write_vectors = true;
    } else if (argument == "--verilog") {
      options.verilog = true;
    } else if (argument == "--power-down") {
      options.power_down = true;
    } else if (argument == "--secure") {
      options.secure = true;
    } else if (argument == "--part" || argument.rfind("--part=", 0) == 0) {
      if (argument.size() > 6) {
        options.part = argument.substr(7);
      } else if (i + 1 < arguments.size()) {
        options.part = arguments[++i];
      }
      if (FindPart(options.part) == nullptr) {
        error = FormatText(part_messages::kUnknownPart, {options.part, PartNames()});
        return false;
      }
    } else if (argument == "--compare") {
      read_back = read_back.empty() ? argument : read_back + " " + argument;
      options.action = Action::kCompare;
    } else if (argument == "--decompile") {
      read_back = read_back.empty() ? argument : read_back + " " + argument;
      options.action = Action::kDecompile;
    } else if (argument == "--from" || argument == "--names" || argument == "-o" ||
               argument == "--output") {
      if (i + 1 >= arguments.size()) {
        error = FormatText(option_messages::kNeedsValue, {argument});
        return false;
      }
      std::string& value = argument == "--from"    ? options.from
                           : argument == "--names" ? options.names_file
                                                   : options.output;
      value = arguments[++i];
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
        error = FormatText(option_messages::kNeedsLevel, {argument});
        return false;
      }
      options.level = ParseLevel(value);
      if (options.level < 0) {
        error = FormatText(option_messages::kUnknownLevel, {value});
        return false;
      }
    } else {
      error = FormatText(command_line_messages::kUnknownOption, {argument});
      return false;
    }
  }
  if (options.write_vectors && !options.simulate) {
    error = option_messages::kVectorsNeedSimulate;
    return false;
  }
  for (const auto& [asked, option] :
       {std::pair{!options.part.empty(), "--part"}, std::pair{options.power_down, "--power-down"},
        std::pair{options.secure, "--secure"}}) {
    if (asked && !fit && !fit_only) {
      error = FormatText(part_messages::kNeedsFit, {option});
      return false;
    }
  }
  if (fit && fit_only) {
    error = option_messages::kFitAndFitOnly;
    return false;
  }
  // --compare fits a design before it compares, so --fit beside it only says so (as in
  // kemc --import --fit --compare shipped.jed design.pld).
  const bool fit_beside_compare = fit && read_back == "--compare";
  if (!read_back.empty() && ((fit && !fit_beside_compare) || fit_only || options.simulate ||
                             read_back.find(' ') != std::string::npos)) {
    error = FormatText(option_messages::kReadBackAlone, {read_back});
    return false;
  }
  if (fit_beside_compare) options.action = Action::kCompare;
  if (options.action == Action::kCompare && options.files.size() != 2) {
    error = option_messages::kCompareNeedsTwo;
    return false;
  }
  if (options.action != Action::kDecompile &&
      (!options.names_file.empty() || !options.output.empty())) {
    error = option_messages::kNamesNeedDecompile;
    return false;
  }
  if (options.action == Action::kDecompile && !options.output.empty() &&
      options.files.size() != 1) {
    error = option_messages::kOutputNeedsOne;
    return false;
  }
  if (!options.from.empty() && read_back.empty()) {
    error = option_messages::kFromNeedsReadBack;
    return false;
  }
  if ((options.simulate || options.verilog) && options.action == Action::kCompile)
    options.action = Action::kSimulate;
  if (options.files.empty()) {
    error = option_messages::kNoFile;
    return false;
  }
  return true;
}

}  // namespace kem::cli
