#include "gui/command_line.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <string_view>

#include "common/format.h"
#include "shell/command_line_messages.h"
#include "shell/shell_messages.h"

namespace kem::gui {

namespace {

constexpr std::string_view kProgram = "kemwin";
constexpr std::string_view kUsageBeforeCommon =
    "[DATEI]\n"
    "Startet die Entwicklungsumgebung für GAL-Designs und öffnet DATEI, wenn angegeben.\n"
    "Minimierungsstufe, Schriftart und zuletzt geöffnete Dateien stehen in kem.ini im Ordner,\n"
    "der beim Start aktuell ist.\n"
    "\n";
constexpr std::string_view kUsageAfterCommon =
    "  -platform NAME       Qt-Plattform, z. B. offscreen für einen Lauf ohne Bildschirm\n";

}  // namespace

const char* const kKemwinUsage =
    kJoinedText<command_line_messages::kUsageStart, kProgram, command_line_messages::kUsageOptions, kUsageBeforeCommon, command_line_messages::kHelpOption,
                command_line_messages::kVersionOption, kUsageAfterCommon>
        .data();

const char* const kKemwinVersion = "kemwin " KEM_VERSION "\n";

const char* const kKemwinNoDisplay =
    "kemwin: keine grafische Anzeige gefunden (DISPLAY bzw. WAYLAND_DISPLAY ist nicht gesetzt)\n";

namespace {

// Qt's options, as its application classes take them out of the arguments; each may also be
// written with two dashes.
constexpr std::string_view kQtOptionsWithValue[] = {
    "-platform",        "-platformpluginpath", "-platformtheme", "-plugin",
    "-qwindowgeometry", "-qwindowicon",        "-qwindowtitle",  "-session",
    "-display",         "-geometry",           "-style",         "-stylesheet"};
constexpr std::string_view kQtFlags[] = {"-reverse", "-widgetcount"};
constexpr std::string_view kQtOptionsWithEquals[] = {"-style=", "-stylesheet=", "-qmljsdebugger="};

bool IsQtOption(std::string_view option) {
  return std::ranges::find(kQtFlags, option) != std::end(kQtFlags) ||
         std::ranges::any_of(kQtOptionsWithEquals, [option](std::string_view start) {
           return option.starts_with(start);
         });
}

bool IsThereButNoFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  return std::filesystem::exists(status) && !std::filesystem::is_regular_file(status);
}

// Whether the platform named (without its ":options") can find a display.
bool PlatformHasDisplay(std::string_view name, bool x11, bool wayland) {
  if (name.starts_with("xcb")) return x11;
  if (name.starts_with("wayland")) return wayland;
  return true;
}

bool IsSet(const char* value) {
  return value != nullptr && *value != '\0';
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
  CommandLine line;
  const auto wrong = [&line](std::string text) {
    if (line.error.empty()) line.error = std::move(text);
  };
  bool only_files = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string_view qt_option = argument;
    if (qt_option.starts_with("--")) qt_option.remove_prefix(1);
    if (only_files || argument.empty() || argument[0] != '-' || argument == "-") {
      if (line.file.empty()) {
        line.file = argument;
      } else {
        wrong("nur eine Datei möglich: " + argument);
      }
    } else if (argument == "--") {
      only_files = true;
    } else if (argument == "-h" || argument == "--help") {
      line.action = CommandLine::Action::kHelp;
      return line;
    } else if (argument == "--version") {
      line.action = CommandLine::Action::kVersion;
      return line;
    } else if (std::ranges::find(kQtOptionsWithValue, qt_option) != std::end(kQtOptionsWithValue)) {
      if (i + 1 == arguments.size()) {
        wrong("Wert fehlt: " + argument);
        break;
      }
      ++i;
      if (qt_option == "-platform") line.platform = arguments[i];
      if (qt_option == "-display") line.display_named = true;
    } else if (!IsQtOption(qt_option)) {
      wrong(FormatText(command_line_messages::kUnknownOption, {argument}));
    }
  }
  if (!line.error.empty()) {
    line.action = CommandLine::Action::kWrong;
  } else if (!line.file.empty() && IsThereButNoFile(line.file)) {
    line.action = CommandLine::Action::kUnusableFile;
    line.error = FormatText(shell_messages::kCannotOpen, {line.file});
  }
  return line;
}

bool DisplayMissing(const CommandLine& line, const char* (*variable)(const char* name)) {
#if defined(_WIN32) || defined(__APPLE__)
  static_cast<void>(line);
  static_cast<void>(variable);
  return false;
#else
  const bool x11 = line.display_named || IsSet(variable("DISPLAY"));
  const bool wayland = IsSet(variable("WAYLAND_DISPLAY"));
  const char* from_environment = variable("QT_QPA_PLATFORM");
  std::string_view platforms = !line.platform.empty()    ? std::string_view(line.platform)
                               : IsSet(from_environment) ? std::string_view(from_environment)
                                                         : std::string_view();
  if (platforms.empty()) return !x11 && !wayland;
  // QT_QPA_PLATFORM may list several, tried in turn: "wayland;xcb".
  while (!platforms.empty()) {
    const std::string_view entry = platforms.substr(0, platforms.find(';'));
    if (PlatformHasDisplay(entry.substr(0, entry.find(':')), x11, wayland)) return false;
    platforms.remove_prefix(std::min(platforms.size(), entry.size() + 1));
  }
  return true;
#endif
}

}  // namespace kem::gui
